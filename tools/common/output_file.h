// Writing whole files from the content tools; failures end the tool with a
// message naming the file, so a broken build step never leaves silence.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace toolkit {

// Writes the bytes to the file (creating parent folders); exits with status 1
// and a message on failure.
void WriteWholeFile(const std::string& path, const std::vector<uint8_t>& bytes);

// Prints "tool: message" on standard error and exits with status 1.
[[noreturn]] void Fail(const std::string& message);

// Little-endian appenders for building binary files.
void PutU16(std::vector<uint8_t>& out, uint32_t value);
void PutU32(std::vector<uint8_t>& out, uint32_t value);

}  // namespace toolkit
