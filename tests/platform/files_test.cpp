#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "platform/files.h"
#include "support/program_stops.h"
#include "support/scratch_folder.h"

namespace fs = std::filesystem;

namespace {

using testing_support::StopKind;
using testing_support::StopOf;

class FilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories("Islands");
    std::ofstream(fs::path("Islands") / "Islands.USE", std::ios::binary) << "abcdef";
  }
  testing_support::ScratchFolder folder;
};

// Guards against game names with backslashes or other letter case not
// finding files that exist.
TEST_F(FilesTest, BackslashNamesResolveWithoutRegardToCase) {
  EXPECT_EQ(platform::NativePath("islands\\islands.use"), "Islands/Islands.USE");
  EXPECT_TRUE(platform::FileExists("ISLANDS\\ISLANDS.USE"));
  EXPECT_FALSE(platform::FileExists("islands\\islands.cur"));
  EXPECT_EQ(platform::NativePath("islands\\new.cur"), "Islands/new.cur");
  EXPECT_EQ(platform::NativePath("nowhere\\New.cur"), "nowhere/New.cur");
  EXPECT_TRUE(platform::DirectoryExists("islands"));
}

// Guards against short reads that fail or clobber the rest of the buffer,
// and writes that truncate an existing file.
TEST_F(FilesTest, ShortReadsAndNonTruncatingWrites) {
  platform::BinaryFile file;
  file.Open("islands\\islands.use");
  char buffer[10] = "xxxxxxxxx";
  file.Seek(4);
  EXPECT_EQ(file.ReadSome(buffer, 9), 2u);
  EXPECT_EQ(std::string(buffer, 9), "efxxxxxxx");
  file.Close();

  platform::BinaryFile writer;
  writer.OpenOrCreate("islands\\islands.use");
  writer.Seek(1);
  writer.Write("ZZ", 2);
  writer.Close();
  std::vector<uint8_t> contents = platform::ReadWholeFile("islands\\islands.use");
  EXPECT_EQ(std::string(contents.begin(), contents.end()), "aZZdef");

  writer.OpenOrCreate("islands\\fresh.bin");
  writer.Seek(3);
  writer.Write("Q", 1);
  writer.Close();
  EXPECT_EQ(platform::ReadWholeFile("islands\\fresh.bin").size(), 4u);
}

// Guards against missing files or unreadable data going unreported, and
// against a message that does not name the file.
TEST_F(FilesTest, FailuresRaiseNumberedRuntimeErrors) {
  platform::BinaryFile file;
  testing_support::ProgramStop missing = StopOf([&] { file.Open("Fonts\\font16.fnt"); });
  EXPECT_EQ(missing.kind, StopKind::kRuntimeError);
  EXPECT_EQ(missing.code, platform::kFileNotFound);
  EXPECT_STREQ(missing.what(), "Runtime error 2: cannot open file: Fonts\\font16.fnt");
  file.Open("islands\\islands.use");
  char buffer[16];
  EXPECT_EQ(StopOf([&] { file.ReadExact(buffer, 16); }).kind, StopKind::kRuntimeError);
  EXPECT_FALSE(file.TryOpen("nothing.here"));
}

// Guards against number reading that accepts junk or runs past the end.
TEST_F(FilesTest, TextNumbersAcceptBlanksAndLineEndsOnly) {
  std::ofstream("numbers.txt") << " 12\t-3\r\n\n 7 x\n";
  platform::TextNumberReader reader;
  reader.Open("numbers.txt");
  EXPECT_EQ(reader.ReadInteger(), 12);
  EXPECT_EQ(reader.ReadInteger(), -3);
  EXPECT_EQ(reader.ReadInteger(), 7);
  testing_support::ProgramStop junk = StopOf([&] { reader.ReadInteger(); });
  EXPECT_EQ(junk.kind, StopKind::kRuntimeError);
  EXPECT_EQ(junk.code, platform::kInvalidNumericFormat);
  reader.SkipRestOfLine();
  EXPECT_EQ(StopOf([&] { reader.ReadInteger(); }).kind, StopKind::kRuntimeError);
}

}  // namespace
