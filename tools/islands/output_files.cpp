#include "tools/islands/output_files.h"

#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace islands {

void WriteOutputFile(const std::string& folder, const std::string& name,
                     const std::vector<uint8_t>& bytes) {
  std::filesystem::path directory(folder);
  std::error_code error;
  std::filesystem::create_directories(directory, error);
  std::filesystem::path target = directory / name;
  std::filesystem::path partial = directory / (name + ".partial");
  {
    std::ofstream out(partial, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) throw std::runtime_error("cannot write " + partial.string());
  }
  std::filesystem::rename(partial, target, error);
  if (error) throw std::runtime_error("cannot replace " + target.string() + ": " + error.message());
}

}  // namespace islands
