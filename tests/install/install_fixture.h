// A scratch folder per test, with HOME and XDG_DATA_HOME pointed into it so
// that nothing reaches the real home.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "support/scratch_folder.h"

namespace fs = std::filesystem;

class InstallTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(root / "home");
    setenv("HOME", (root / "home").c_str(), 1);
    setenv("XDG_DATA_HOME", (root / "data").c_str(), 1);
  }
  // A folder a test made read-only must not keep the scratch folder.
  void TearDown() override {
    std::error_code ignored;
    for (auto& entry : fs::recursive_directory_iterator(root, ignored)) {
      fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ignored);
    }
  }

  static void WriteFile(const fs::path& path, const std::string& contents) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << contents;
  }
  static std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  // Makes a sibling of `first`, named `prefix` plus a number, that the file
  // system lists after `first`, so that a test knows which of two folders a
  // search meets first. Empty if none turns up.
  static fs::path FolderListedAfter(const fs::path& first, const std::string& prefix) {
    for (int n = 0; n < 100; ++n) {
      fs::path candidate = first.parent_path() / (prefix + std::to_string(n));
      fs::create_directory(candidate);
      bool seenFirst = false;
      for (const auto& entry : fs::directory_iterator(first.parent_path())) {
        if (entry.path() == first) seenFirst = true;
        if (entry.path() == candidate && seenFirst) return candidate;
      }
    }
    return {};
  }

  testing_support::ScratchFolder scratch;
  const fs::path root = scratch.Path();
};
