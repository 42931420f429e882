// Shared by the pack, image and font tests: a temporary program directory
// made current for the test, and failure hooks turned into exceptions.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "graphics/pack.h"

struct PackAborted : std::runtime_error {
  explicit PackAborted(const std::string& message) : std::runtime_error(message) {}
};

inline void ThrowPackAborted(const std::string& message) { throw PackAborted(message); }

// Makes a fresh temporary folder the current directory for the test's life.
class TemporaryProgramDirectory {
 public:
  TemporaryProgramDirectory() {
    char pattern[] = "/tmp/tervane-graphics-XXXXXX";
    path_ = mkdtemp(pattern);
    previous_ = std::filesystem::current_path();
    std::filesystem::current_path(path_);
    SetPackAbortHandler(ThrowPackAborted);
  }
  ~TemporaryProgramDirectory() {
    ClosePack();
    SetPackAbortHandler(nullptr);
    std::filesystem::current_path(previous_);
    std::filesystem::remove_all(path_);
  }
  const std::filesystem::path& Path() const { return path_; }

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

inline std::vector<uint8_t> Bytes(const std::string& text) { return std::vector<uint8_t>(text.begin(), text.end()); }
