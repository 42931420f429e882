// What the harnesses of the game's file readers share: a scratch folder of
// their own as the current directory (the game's names are relative to the
// program directory), the input written as a named file, and the run-time
// input/output error turned into an exception the harness catches where the
// game would end the process.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "platform/files.h"

namespace fuzzing {

struct RuntimeFailure : std::runtime_error {
  using std::runtime_error::runtime_error;
};

inline void Require(bool condition) {
  if (!condition) std::abort();
}

// Enters <temporary folder>/<name>-<pid>, with the given sub-folders, removed
// again when the fuzzer ends, and catches the run-time error from then on.
inline void EnterScratchFolder(const std::string& name, std::initializer_list<const char*> folders = {}) {
  static std::filesystem::path folder;
  folder = std::filesystem::temp_directory_path() / (name + "-" + std::to_string(getpid()));
  std::filesystem::create_directories(folder);
  std::atexit([] {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  });
  std::filesystem::current_path(folder);
  for (const char* sub : folders) std::filesystem::create_directories(sub);
  platform::SetRuntimeErrorHandler([](int, const std::string& message) { throw RuntimeFailure(message); });
}

inline void WriteInput(const char* gameName, const uint8_t* data, size_t size) {
  platform::WriteWholeFile(gameName, data, size);
}

}  // namespace fuzzing
