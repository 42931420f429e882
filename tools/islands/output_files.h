// Writing the generator's files: whole, or not at all.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace islands {

// Writes `bytes` to folder/name through a temporary file that replaces the
// old one only once complete, creating the folder. Throws on failure.
void WriteOutputFile(const std::string& folder, const std::string& name,
                     const std::vector<uint8_t>& bytes);

}  // namespace islands
