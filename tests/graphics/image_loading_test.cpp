#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "graphics/bmp.h"
#include "graphics/graphics_host.h"
#include "graphics/image.h"
#include "graphics/packs/reader.h"
#include "graphics/pixelops.h"
#include "pack_test_support.h"
#include "support/test_display.h"
#include "tools/packer/packwriter.h"

namespace {

struct Rgb {
  int r, g, b;
};

// A 24 x 2 picture with 48 different colours (more than a 4-bit palette
// holds, so palette pictures get 8 bits).
std::vector<Rgb> TestColours() {
  std::vector<Rgb> colours;
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 24; ++x) colours.push_back({(x * 10 + y * 7) % 256, (x * 37 + y * 3) % 256, (255 - x * 9) % 256});
  return colours;
}

std::vector<uint8_t> Ppm(int width, int height, const std::vector<Rgb>& colours) {
  std::string header = "P6\n" + std::to_string(width) + " " + std::to_string(height) + "\n255\n";
  std::vector<uint8_t> file(header.begin(), header.end());
  for (const Rgb& c : colours) {
    file.push_back(static_cast<uint8_t>(c.r));
    file.push_back(static_cast<uint8_t>(c.g));
    file.push_back(static_cast<uint8_t>(c.b));
  }
  return file;
}

std::vector<uint8_t> ReadBack(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class ImageTest : public testing::Test {
 protected:
  void SetUp() override { testing_support::OpenTestDisplay(); }

  // Runs ImageMagick's convert inside the test folder.
  bool Convert(const std::string& arguments) {
    if (std::system("command -v convert > /dev/null 2>&1") != 0) return false;
    std::string command = "cd '" + folder_.Path().string() + "' && convert " + arguments + " 2> /dev/null";
    return std::system(command.c_str()) == 0;
  }
  // A flat picture of one colour in the given file (any format convert knows).
  std::vector<uint8_t> Flat(const std::string& file, Rgb colour, const std::string& options = "",
                            const std::string& format = "") {
    folder_.Write("flat.ppm", Ppm(16, 16, std::vector<Rgb>(256, colour)));
    std::filesystem::create_directories((folder_.Path() / file).parent_path());
    if (!Convert("flat.ppm " + options + " " + format + file)) return {};
    return ReadBack(folder_.Path() / file);
  }
  std::string Message(const std::string& name) {
    testing_support::ProgramStop stop = testing_support::StopOf([&] { LoadImage(name); });
    return stop.kind == testing_support::StopKind::kFatalExit ? stop.what() : "loaded";
  }

  testing_support::ScratchFolder folder_;
};

void ExpectPixels(const SurfaceRef& surface, const std::vector<Rgb>& colours, int width, int tolerance = 0) {
  ASSERT_NE(surface, nullptr);
  for (size_t i = 0; i < colours.size(); ++i) {
    int x = static_cast<int>(i) % width;
    int y = static_cast<int>(i) / width;
    const Rgb& c = colours[i];
    if (tolerance == 0) {
      ASSERT_EQ(surface->PixelAt(x, y), PackColour(c.r, c.g, c.b)) << "pixel " << x << "," << y;
    } else {
      uint16_t got = surface->PixelAt(x, y);
      uint16_t want = PackColour(c.r, c.g, c.b);
      ASSERT_LE(std::abs((got >> 11) - (want >> 11)), tolerance) << x << "," << y;
      ASSERT_LE(std::abs((got >> 5 & 63) - (want >> 5 & 63)), 2 * tolerance) << x << "," << y;
      ASSERT_LE(std::abs((got & 31) - (want & 31)), tolerance) << x << "," << y;
    }
  }
}

// Guards the pack naming: the folder's graphics.dat, or game.dat for names
// without a folder; the entry without its four-character extension.
TEST(ImageNames, PackAndEntryOfAName) {
  EXPECT_EQ(ImagePackName("Mouse\\cursor.dat"), "Mouse\\graphics.dat");
  EXPECT_EQ(ImageEntryName("Mouse\\cursor.dat"), "cursor");
  EXPECT_EQ(ImagePackName("Sign.dat"), "game.dat");
  EXPECT_EQ(ImageEntryName("Sign.dat"), "Sign");
  EXPECT_EQ(ImageEntryName("Main\\sub\\x.bmp"), "sub\\x");
}

// Guards the direct conversions and the platform path on pictures made by
// another program: 8-bit plain and run-length packed, 16-bit, 24-bit BMP.
TEST_F(ImageTest, BitmapsOfEveryDepthMadeByImageMagick) {
  std::vector<Rgb> colours = TestColours();
  folder_.Write("g.ppm", Ppm(24, 2, colours));
  std::filesystem::create_directories(folder_.Path() / "Pic");
  if (!Convert("g.ppm -type TrueColor BMP3:Pic/p24.bmp")) GTEST_SKIP() << "ImageMagick's convert is missing";
  ASSERT_TRUE(Convert("g.ppm -type Palette -compress None BMP3:Pic/p8.bmp"));
  ASSERT_TRUE(Convert("g.ppm -type Palette BMP3:Pic/p8rle.bmp"));
  ASSERT_TRUE(Convert("g.ppm -define bmp:subtype=RGB565 Pic/p16.bmp"));
  ASSERT_TRUE(Convert("g.ppm -flip -define bmp:top-down=true -type TrueColor BMP3:Pic/p24b.bmp"));
  EXPECT_EQ(ReadBack(folder_.Path() / "Pic/p8.bmp")[28], 8);
  EXPECT_EQ(ReadBack(folder_.Path() / "Pic/p8rle.bmp")[30], 1);  // packed: the platform reads it
  EXPECT_EQ(ReadBack(folder_.Path() / "Pic/p16.bmp")[28], 16);
  for (const char* name : {"Pic\\p24", "Pic\\p8", "Pic\\p8rle", "Pic\\p24.bmp"}) {
    SCOPED_TRACE(name);
    SurfaceRef surface = LoadImage(name);
    EXPECT_EQ(surface->Width(), 24);
    EXPECT_EQ(surface->Height(), 2);
    ExpectPixels(surface, colours, 24);
  }
  // 16 bits hold the colours as the other program rounded them to 5-6-5;
  // the platform conversion must keep exactly those.
  std::vector<uint8_t> file = ReadBack(folder_.Path() / "Pic/p16.bmp");
  uint32_t offset = file[10] | file[11] << 8;
  std::vector<Rgb> stored;
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 24; ++x) {
      size_t at = offset + static_cast<size_t>(1 - y) * 48 + 2 * x;  // bottom row first
      int v = file[at] | file[at + 1] << 8;
      int r = v >> 11, g = v >> 5 & 63, b = v & 31;
      stored.push_back({r << 3 | r >> 2, g << 2 | g >> 4, b << 3 | b >> 2});
    }
  }
  ExpectPixels(LoadImage("Pic\\p16"), stored, 24);
}

// Guards JPEG decoding of a picture made by another program.
TEST_F(ImageTest, JpegMadeByImageMagick) {
  if (Flat("Pic/j.jpg", {200, 100, 50}, "-quality 95").empty()) GTEST_SKIP() << "ImageMagick's convert is missing";
  SurfaceRef surface = LoadImage("Pic\\j");
  EXPECT_EQ(surface->Width(), 16);
  ExpectPixels(surface, std::vector<Rgb>(256, {200, 100, 50}), 16, 1);
}

// Guards the order loose .jpg, loose .bmp, pack; and that inside the pack the
// attribute decides the decoder whatever the name says.
TEST_F(ImageTest, LooseFilesBeforeThePackAndAttributeDecides) {
  std::vector<uint8_t> jpeg = Flat("red.jpg", {255, 0, 0}, "-quality 100");
  if (jpeg.empty()) GTEST_SKIP() << "ImageMagick's convert is missing";
  std::vector<uint8_t> bmp = Flat("green.bmp", {0, 255, 0}, "-type TrueColor", "BMP3:");
  std::vector<uint8_t> blueJpeg = Flat("blue.jpg", {0, 0, 255}, "-quality 100");
  std::vector<uint8_t> greyBmp = Flat("grey.bmp", {128, 128, 128}, "-type TrueColor", "BMP3:");
  folder_.Write("Main/graphics.dat",
                BuildPack({PackInput{"Image", blueJpeg, kMethodLzw, 1}, PackInput{"Other", greyBmp, kMethodLzw, 0},
                           PackInput{"Wrong", greyBmp, kMethodStored, 1}},
                          PackOptions{true, kImagePackKey}));
  folder_.Write("Main/Image.jpg", jpeg);
  folder_.Write("Main/Image.bmp", bmp);

  auto colourAt = [](const SurfaceRef& s) { return s->PixelAt(8, 8); };
  EXPECT_EQ(colourAt(LoadImage("Main\\Image")), PackColour(255, 0, 0));
  std::filesystem::remove(folder_.Path() / "Main/Image.jpg");
  EXPECT_EQ(colourAt(LoadImage("Main\\Image")), PackColour(0, 255, 0));
  std::filesystem::remove(folder_.Path() / "Main/Image.bmp");
  EXPECT_EQ(colourAt(LoadImage("Main\\Image")), PackColour(0, 0, 255));
  EXPECT_EQ(colourAt(LoadImage("Main\\Image.bmp")), PackColour(0, 0, 255)) << "the attribute decides, not the name";
  EXPECT_EQ(colourAt(LoadImage("Main\\Other.jpg")), PackColour(128, 128, 128));
  EXPECT_EQ(Message("Main\\Wrong"), "Damaged image: Main\\Wrong");
  EXPECT_FALSE(PackIsOpen());
}

// Guards the failure paths: a missing pack or entry names the picture as the
// game asked for it (not the pack's file name), a file
// of another format and bitmaps nobody can read end the game with their
// messages, and no pack is left open.
TEST_F(ImageTest, FailuresEndTheGameWithTheirMessage) {
  EXPECT_EQ(Message("Main\\Nothing"), "Image not found: Main\\Nothing");
  folder_.Write("Main/graphics.dat", BuildPack({PackInput{"Image", Bytes("BMxx"), kMethodStored, 0}}, {}));
  EXPECT_EQ(Message("Main\\Nothing"), "Image not found: Main\\Nothing");
  EXPECT_FALSE(PackIsOpen());
  folder_.Write("Main/thing.dat", Bytes("whatever"));
  EXPECT_EQ(Message("Main\\thing"), "Unknown image format");
  folder_.Write("Main/shot.png", Bytes("whatever"));
  EXPECT_EQ(Message("Main\\shot.png"), "Unknown image format");
  folder_.Write("Main/bad.bmp", Bytes("not a bitmap"));
  EXPECT_EQ(Message("Main\\bad"), "Damaged image: Main\\bad.bmp");
  folder_.Write("Main/bad.jpg", Bytes("not a jpeg"));
  EXPECT_EQ(Message("Main\\bad"), "Damaged image: Main\\bad.jpg");

  // A 16-bit header over nonsense: only the platform could read it, and cannot.
  std::vector<uint8_t> odd(54, 0);
  odd[0] = 'B';
  odd[1] = 'M';
  odd[10] = 54;  // the pixels would follow the header, but the file ends there
  odd[14] = 40;
  odd[18] = 4;
  odd[22] = 4;
  odd[26] = 1;
  odd[28] = 16;
  folder_.Write("Main/odd.bmp", odd);
  EXPECT_EQ(Message("Main\\odd"), "Error in loadsurface");

  // Pictures too large are refused before anything is allocated.
  std::vector<uint8_t> huge = odd;
  huge[28] = 24;
  huge[19] = 0x40;  // width 16388
  folder_.Write("Main/huge.bmp", huge);
  EXPECT_EQ(Message("Main\\huge"), "Damaged image: Main\\huge.bmp");
}

// Guards against graphics that cannot end the program on its own (tools and
// tests use it without a shell): a missing picture must still end the
// process, with status 1 and the message on standard error.
TEST_F(ImageTest, WithoutAShellAFatalErrorStillEndsTheProcess) {
  EXPECT_EXIT(
      {
        GraphicsHostOutput = nullptr;
        LoadImage("Main\\Nothing");
      },
      testing::ExitedWithCode(1), "Image not found: Main.Nothing[[:space:]]*$");
}

// Guards a fuzzer finding: an OS/2 bitmap header claiming 24158 x 24158
// pixels made the platform allocate and clear gigabytes; it is refused first.
TEST_F(ImageTest, HugeOs2BitmapIsRefusedBeforeThePlatformReadsIt) {
  std::vector<uint8_t> finding = ReadBack(std::string(TERVANE_SOURCE_DIR) + "/tests/graphics/inputs/bmp_core_header_huge.bmp");
  ASSERT_EQ(finding.size(), 73u);
  BmpLayout layout;
  EXPECT_EQ(ReadBmpLayout(finding.data(), finding.size(), layout), BmpKind::kDamaged);
  folder_.Write("Main/os2.bmp", finding);
  EXPECT_EQ(Message("Main\\os2"), "Damaged image: Main\\os2.bmp");
}

// Guards the existence test: loose files of either extension, or a pack
// entry whose name contains the text; false without creating anything.
TEST_F(ImageTest, ImageExistsLooksAtFilesThenThePack) {
  EXPECT_FALSE(ImageExists("Main\\but1"));
  folder_.Write("Main/graphics.dat", BuildPack({PackInput{"defbut1", Bytes("x"), kMethodStored, 0}}, {}));
  EXPECT_TRUE(ImageExists("Main\\but1")) << "lookup is by substring";
  EXPECT_FALSE(ImageExists("Main\\but2"));
  EXPECT_FALSE(PackIsOpen());
  folder_.Write("Main/prbut2.bmp", Bytes("x"));
  EXPECT_TRUE(ImageExists("Main\\prbut2"));
  folder_.Write("Main/prbut3.jpg", Bytes("x"));
  EXPECT_TRUE(ImageExists("Main\\PRBUT3"));
}

}  // namespace
