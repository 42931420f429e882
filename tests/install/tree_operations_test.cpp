#include <sys/stat.h>

#include <vector>

#include "install/file_copy.h"
#include "install/tree_operations.h"
#include "install_fixture.h"

namespace {

std::vector<size_t> g_blocks;
void RecordBlock(size_t bytes) { g_blocks.push_back(bytes); }

std::string Pattern(size_t size) {
  std::string bytes(size, '\0');
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 7919) >> 5);
  return bytes;
}

using TreeOperationsTest = InstallTest;

// Guards against a wrong block size, a copy that stops after its first
// block, and one that reads on after a short block.
TEST_F(TreeOperationsTest, FilesAreCopiedInBlocksUntilAShortOne) {
  WriteFile(root / "from" / "big.dat", Pattern(600000));
  WriteFile(root / "from" / "even.dat", Pattern(2 * install::kCopyBlockSize));
  install::SetCopyBlockObserver(RecordBlock);
  g_blocks.clear();
  ASSERT_TRUE(install::CopyFileInBlocks((root / "from" / "big.dat").string(), (root / "big.dat").string()));
  EXPECT_EQ(g_blocks, (std::vector<size_t>{262144, 262144, 75712}));
  g_blocks.clear();
  ASSERT_TRUE(install::CopyTree((root / "from").string(), (root / "to").string()));
  install::SetCopyBlockObserver(nullptr);

  EXPECT_EQ(g_blocks.size(), 6u);  // 3 blocks each: 600000 bytes, and 2 full blocks + an empty one
  EXPECT_EQ(ReadFile(root / "big.dat"), Pattern(600000));
  EXPECT_EQ(ReadFile(root / "to" / "even.dat"), Pattern(2 * install::kCopyBlockSize));
}

// Guards against a move that deletes its source after an incomplete copy,
// and a copy that gives up files, or goes on into folders, after a failure.
TEST_F(TreeOperationsTest, FailedCopyKeepsTheSourceAndCopiesOnlyFilesAfterwards) {
  fs::path source = root / "group";
  WriteFile(source / "blocked" / "inner.txt", "cannot arrive");
  fs::path later = FolderListedAfter(source / "blocked", "after");
  ASSERT_FALSE(later.empty());
  WriteFile(later / "skipped.txt", "skipped");
  WriteFile(source / "one.desktop", "1");
  WriteFile(source / "two.png", "2");
  WriteFile(root / "target" / "blocked", "a file where the folder should go");

  EXPECT_FALSE(install::MoveTree(source.string(), (root / "target").string()));
  EXPECT_EQ(ReadFile(source / "blocked" / "inner.txt"), "cannot arrive");
  EXPECT_EQ(ReadFile(later / "skipped.txt"), "skipped");
  EXPECT_EQ(ReadFile(root / "target" / "one.desktop"), "1");
  EXPECT_EQ(ReadFile(root / "target" / "two.png"), "2");
  EXPECT_FALSE(fs::exists(root / "target" / later.filename()));
  EXPECT_FALSE(install::MoveTree((root / "missing").string(), (root / "made").string()));
  EXPECT_FALSE(fs::exists(root / "made"));
}

// Guards against deleting a read-only folder as a folder: it is not exactly
// a plain folder, so it counts as a file, its deletion fails and the tree
// stays. The attribute decides, not the user's power to write (tests may
// run as the superuser).
TEST_F(TreeOperationsTest, ReadOnlySubfolderStopsTheDeletion) {
  fs::path tree = root / "Tervane";
  WriteFile(tree / "locked" / "kept.txt", "kept");
  ASSERT_EQ(chmod((tree / "locked").c_str(), 0555), 0);

  EXPECT_FALSE(install::DeleteTree(tree.string()));
  EXPECT_EQ(ReadFile(tree / "locked" / "kept.txt"), "kept");

  ASSERT_EQ(chmod((tree / "locked").c_str(), 0755), 0);
  EXPECT_TRUE(install::DeleteTree(tree.string()));
  EXPECT_FALSE(fs::exists(tree));
}

// Guards against a breadth-first or case-sensitive search, and against
// enumeration handles left open when a search ends early.
TEST_F(TreeOperationsTest, FindFolderGoesDepthFirstIgnoringCase) {
  WriteFile(root / "first" / "inner" / "target" / "file", "");
  fs::path later = FolderListedAfter(root / "first", "second");
  ASSERT_FALSE(later.empty());
  fs::create_directory(later / "TARGET");
  WriteFile(root / "Target.txt", "a file, not a folder");

  size_t openBefore = std::distance(fs::directory_iterator("/proc/self/fd"), {});
  for (int i = 0; i < 50; ++i) {
    ASSERT_EQ(install::FindFolder("Target", root.string()), (root / "first" / "inner" / "target").string());
  }
  EXPECT_EQ(std::distance(fs::directory_iterator("/proc/self/fd"), {}), openBefore);
  EXPECT_EQ(install::FindFolder("nothing", root.string()), "");
}

// Guards against paths over 255 characters being cut to a different name:
// every operation refuses them, and nothing of a refused entry is made.
TEST_F(TreeOperationsTest, PathsOver255CharactersAreRefused) {
  std::string outer(120, 'o'), inner(120, 'i');
  fs::path deep = root / "deep";
  WriteFile(deep / outer / inner / "file.txt", "too deep");
  WriteFile(deep / "short.txt", "fits");
  ASSERT_GT((deep / outer / inner).string().size(), install::kMaxPathLength);

  EXPECT_FALSE(install::CopyTree(deep.string(), (root / "copy").string()));
  EXPECT_EQ(ReadFile(root / "copy" / "short.txt"), "fits");
  EXPECT_TRUE(fs::is_empty(root / "copy" / outer));
  EXPECT_EQ(install::FindFolder(inner, deep.string()), "");
  EXPECT_FALSE(install::DeleteTree(deep.string()));
  EXPECT_EQ(ReadFile(deep / outer / inner / "file.txt"), "too deep");
}

}  // namespace
