// Files the quelt tests write for the library to read.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "module_builders.h"

// The path of a file of this test process under the temporary folder (tests
// run side by side must not share files).
inline std::string TempPath(const std::string& name) {
  return ::testing::TempDir() + std::to_string(getpid()) + "_" + name;
}

// Writes bytes into such a file; returns its path.
inline std::string WriteTempFile(const std::string& name, const std::vector<uint8_t>& bytes) {
  return builders::WriteFile(TempPath(name), bytes);
}
