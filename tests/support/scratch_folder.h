// A fresh, empty folder for one test inside the test process's own scratch
// folder (headless_main.cpp), made current while the object lives; it goes,
// with everything in it, when the object does.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace testing_support {

// The folder each test process runs in, made by its entry.
const std::filesystem::path& ProcessScratchFolder();

class ScratchFolder {
 public:
  ScratchFolder() {
    static int made = 0;
    previous_ = std::filesystem::current_path();
    path_ = ProcessScratchFolder() / ("folder-" + std::to_string(++made));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
    std::filesystem::current_path(path_);
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::current_path(previous_, ignored);
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }

  // Writes a file below the folder, making the folders it lies in.
  void Write(const std::string& name, const std::vector<uint8_t>& bytes) const {
    std::filesystem::path file = path_ / name;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }

 private:
  std::filesystem::path path_;
  std::filesystem::path previous_;
};

}  // namespace testing_support
