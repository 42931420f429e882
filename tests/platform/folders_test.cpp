#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "platform/folders.h"

namespace fs = std::filesystem;

namespace {

// Guards against an enumeration that does not start with "." and "..", as
// the folder walkers expect, or that reports attributes the walkers would
// misread: a read-only folder as plain, a link as a folder to descend into,
// a pipe as a file to copy.
TEST(FoldersTest, EnumerationGivesDotEntriesFirstAndAttributes) {
  fs::path folder = fs::absolute("enumerated");
  fs::create_directories(folder / "plain");
  fs::create_directories(folder / "locked");
  fs::create_directories(folder / ".hidden");
  std::ofstream(folder / "file.txt") << "x";
  fs::create_directory_symlink(folder / "plain", folder / "link");
  ASSERT_EQ(mkfifo((folder / "pipe").c_str(), 0644), 0);
  ASSERT_EQ(chmod((folder / "locked").c_str(), 0555), 0);

  platform::FolderEnumeration enumeration;
  ASSERT_TRUE(enumeration.Open(folder.string()));
  std::vector<std::string> order;
  std::map<std::string, uint32_t> attributes;
  platform::FolderEntry entry;
  while (enumeration.Next(entry)) {
    order.push_back(entry.name);
    attributes[entry.name] = entry.attributes;
  }
  enumeration.Close();
  EXPECT_FALSE(enumeration.Next(entry));

  ASSERT_EQ(order.size(), 8u);
  EXPECT_EQ(order[0], ".");
  EXPECT_EQ(order[1], "..");
  using namespace platform;
  EXPECT_EQ(attributes["plain"], kAttributeDirectory);
  EXPECT_EQ(attributes["locked"], kAttributeDirectory | kAttributeReadOnly);
  EXPECT_EQ(attributes[".hidden"], kAttributeDirectory | kAttributeHidden);
  EXPECT_EQ(attributes["file.txt"], 0u);
  EXPECT_EQ(attributes["link"], kAttributeReparsePoint);
  EXPECT_EQ(attributes["pipe"], kAttributeSystem);

  EXPECT_FALSE(enumeration.Open((folder / "file.txt").string()));
  EXPECT_FALSE(RemoveFile((folder / "plain").string()));
  EXPECT_TRUE(RemoveFile((folder / "link").string()));
  EXPECT_TRUE(fs::exists(folder / "plain"));
  chmod((folder / "locked").c_str(), 0755);
  fs::remove_all(folder);
}

}  // namespace
