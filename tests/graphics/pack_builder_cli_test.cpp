#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "graphics/packs/reader.h"
#include "pack_test_support.h"

namespace {

const std::string kTool = std::string(TERVANE_BINARY_DIR) + "/tools/tervane-pack";

int RunTool(const std::string& arguments, const std::string& output = "/dev/null") {
  std::string command = kTool + " " + arguments + " > " + output + " 2>&1";
  int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string ReadText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Guards the command line the content tools rely on: sticky methods and
// attributes, "auto" attributes for JPEG files, per-file names, the image
// key, listing with checks, and extraction back to the same bytes.
TEST(PackBuilderCommandLine, CreateListExtract) {
  testing_support::ScratchFolder folder;
  std::string text(3000, 'a');
  for (size_t i = 0; i < text.size(); i += 5) text[i] = 'b';
  folder.Write("src/Image.jpg", Bytes(text));
  folder.Write("src/but1.bmp", Bytes(text + "1"));
  folder.Write("src/defbut1.bmp", Bytes(text + "2"));
  folder.Write("src/empty.bmp", {});
  std::string dir = folder.Path().string();
  ASSERT_EQ(RunTool("create " + dir + "/Main.dat -k image " + dir + "/src/Image.jpg -m 0 -a 5 " + dir +
                "/src/but1.bmp -a auto -n longname " + dir + "/src/defbut1.bmp -m lzw " + dir + "/src/empty.bmp"),
            0);
  ASSERT_TRUE(OpenPack("Main", kImagePackKey));
  ASSERT_EQ(PackEntryCount(), 4);
  const PackDirectoryEntry* image = PackEntry(1);
  EXPECT_EQ(EntryName(*image), "Image");
  EXPECT_EQ(image->method, kMethodLzw);
  EXPECT_EQ(image->attribute, 1);
  EXPECT_EQ(PackEntry(2)->method, kMethodStored);
  EXPECT_EQ(PackEntry(2)->attribute, 5);
  EXPECT_EQ(EntryName(*PackEntry(3)), "longname");
  EXPECT_EQ(PackEntry(3)->attribute, 0);
  EXPECT_EQ(PackEntry(4)->method, kMethodStored) << "empty files are stored";
  std::vector<uint8_t> out;
  ASSERT_EQ(ExtractEntry(3, out), text.size() + 1);
  EXPECT_EQ(std::string(out.begin(), out.begin() + static_cast<long>(text.size()) + 1), text + "2");
  ClosePack();

  EXPECT_EQ(RunTool("list " + dir + "/Main.dat -k image", dir + "/list.txt"), 0);
  EXPECT_NE(ReadText(folder.Path() / "list.txt").find("longname"), std::string::npos);
  EXPECT_EQ(RunTool("list " + dir + "/Main.dat"), 1) << "a wrong key fails the checks";
  ASSERT_EQ(RunTool("extract " + dir + "/Main.dat " + dir + "/out -k image but1 Image"), 0);
  EXPECT_EQ(ReadText(folder.Path() / "out/but1"), text + "1");
  EXPECT_EQ(ReadText(folder.Path() / "out/Image"), text);
  EXPECT_FALSE(std::filesystem::exists(folder.Path() / "out/longname"));
}

// Guards the refusals: names longer than 13 characters, unknown methods,
// missing files and unknown commands fail with status 2 and write nothing.
TEST(PackBuilderCommandLine, RefusesBadRequests) {
  testing_support::ScratchFolder folder;
  folder.Write("a.bin", Bytes("abc"));
  std::string dir = folder.Path().string();
  EXPECT_EQ(RunTool("create " + dir + "/x.dat -n fourteenchars1 " + dir + "/a.bin"), 2);
  EXPECT_EQ(RunTool("create " + dir + "/x.dat -m 25 " + dir + "/a.bin"), 2);
  EXPECT_EQ(RunTool("create " + dir + "/x.dat " + dir + "/missing.bin"), 2);
  EXPECT_EQ(RunTool("frobnicate"), 2);
  EXPECT_FALSE(std::filesystem::exists(folder.Path() / "x.dat"));
}

}  // namespace
