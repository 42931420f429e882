// Files the quelt tests write for the library to read.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "module_builders.h"

// Writes bytes into a file under the test's temporary folder; returns its path.
inline std::string WriteTempFile(const std::string& name, const std::vector<uint8_t>& bytes) {
  return builders::WriteFile(::testing::TempDir() + name, bytes);
}
