#include <gtest/gtest.h>
#include <zlib.h>

#include <cmath>
#include <fstream>
#include <vector>

#include "graphics/bmp.h"
#include "graphics/jpeg.h"
#include "graphics/pixelops.h"
#include "platform/icon.h"
#include "support/test_display.h"
#include "tools/art/canvas.h"
#include "tools/art/encoders.h"
#include "tools/art/layout.h"
#include "tools/art/noise.h"
#include "tools/art/shapes.h"

namespace {

using art::Canvas;
using art::Colour;

Canvas Sampler() {
  Canvas canvas(5, 3, {0, 0, 0});
  canvas.Set(0, 0, {255, 0, 0});
  canvas.Set(4, 0, {0, 255, 0});
  canvas.Set(0, 2, {0, 0, 255});
  canvas.Set(4, 2, {200, 180, 40});
  return canvas;
}

// Guards against keyed pictures with dark fringes: every pixel the game's
// 16-bit colour key would not take for black must stay visible, every one it
// would take must be exactly black.
TEST(Canvas, KeyedPicturesSnapNearBlackToBlack) {
  Canvas canvas(3, 1);
  canvas.Set(0, 0, {5, 7, 3});
  canvas.Set(1, 0, {8, 0, 0});
  canvas.Set(2, 0, {300, -4, 20.4f});
  std::vector<uint8_t> keyed = canvas.Rgb8(true);
  EXPECT_EQ(keyed, (std::vector<uint8_t>{0, 0, 0, 8, 0, 0, 255, 0, 20}));
  std::vector<uint8_t> plain = canvas.Rgb8(false);
  EXPECT_EQ(plain[0], 5);
  EXPECT_EQ(plain[1], 7);
}

// Guards against bitmaps the game's reader refuses or reads upside down
// (rows are stored bottom-up and padded to 4 bytes).
TEST(Encoders, BitmapsReadBackThroughTheGamesReader) {
  testing_support::OpenTestDisplay();
  std::vector<uint8_t> file = art::EncodeBmp(Sampler(), false);
  BmpLayout layout;
  ASSERT_EQ(ReadBmpLayout(file.data(), file.size(), layout), BmpKind::kDirect);
  EXPECT_EQ(layout.width, 5);
  EXPECT_EQ(layout.height, 3);
  EXPECT_EQ(layout.stride, 16u);
  std::vector<uint16_t> pixels(15);
  ConvertBmpPixels(file.data(), layout, pixels.data(), 5);
  EXPECT_EQ(pixels[0], PackColour(255, 0, 0));
  EXPECT_EQ(pixels[4], PackColour(0, 255, 0));
  EXPECT_EQ(pixels[10], PackColour(0, 0, 255));
  EXPECT_EQ(pixels[14], PackColour(200, 180, 40));
  EXPECT_EQ(pixels[7], 0);
}

// Guards against JPEG files the game's decoder cannot read.
TEST(Encoders, JpegReadsBackThroughTheGamesDecoder) {
  Canvas canvas(40, 24, {30, 120, 200});
  std::vector<uint8_t> file = art::EncodeJpeg(canvas, 92);
  platform::RgbPicture picture;
  ASSERT_TRUE(DecodeJpeg(file.data(), file.size(), picture));
  ASSERT_EQ(picture.width, 40);
  ASSERT_EQ(picture.height, 24);
  EXPECT_NEAR(picture.rgb[3 * 500 + 0], 30, 6);
  EXPECT_NEAR(picture.rgb[3 * 500 + 1], 120, 6);
  EXPECT_NEAR(picture.rgb[3 * 500 + 2], 200, 6);
}

// Guards against a window icon without transparency or with rows reversed.
TEST(Encoders, IconKeepsColoursAndMakesBlackTransparent) {
  Canvas canvas(32, 32, {0, 0, 0});
  canvas.Set(1, 0, {10, 20, 30});
  std::vector<uint8_t> file = art::EncodeIco(canvas);
  platform::IconImage icon;
  ASSERT_TRUE(platform::DecodeIcon(file.data(), file.size(), icon));
  ASSERT_EQ(icon.width, 32);
  EXPECT_EQ(icon.argb[1], 0xFF0A141Eu);
  EXPECT_EQ(icon.argb[0] >> 24, 0u);
  EXPECT_EQ(icon.argb[32 * 31] >> 24, 0u);
}

// Guards against a menu icon no desktop can read: PNG signature, header and
// one deflate stream of filtered RGBA rows.
TEST(Encoders, PngHoldsTheRowsWithBlackTransparent) {
  std::vector<uint8_t> file = art::EncodePng(Sampler(), true);
  const uint8_t signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  ASSERT_GT(file.size(), 57u);
  EXPECT_TRUE(std::equal(signature, signature + 8, file.begin()));
  EXPECT_EQ(std::string(file.begin() + 12, file.begin() + 16), "IHDR");
  EXPECT_EQ(file[19], 5);  // width
  EXPECT_EQ(file[23], 3);  // height
  EXPECT_EQ(file[25], 6);  // RGBA
  uint32_t length = (file[33] << 24) | (file[34] << 16) | (file[35] << 8) | file[36];
  EXPECT_EQ(std::string(file.begin() + 37, file.begin() + 41), "IDAT");
  std::vector<uint8_t> rows(3 * (1 + 5 * 4));
  uLongf size = rows.size();
  ASSERT_EQ(uncompress(rows.data(), &size, file.data() + 41, length), Z_OK);
  ASSERT_EQ(size, rows.size());
  EXPECT_EQ(std::vector<uint8_t>(rows.begin(), rows.begin() + 5), (std::vector<uint8_t>{0, 255, 0, 0, 255}));
  EXPECT_EQ(rows[1 + 4 + 3], 0);  // black pixel: transparent
}

// Guards against seams in the cell textures: tiled noise repeats exactly,
// and every noise stays in 0..1 and depends on nothing but its arguments.
TEST(Noise, TiledNoiseRepeatsAndStaysInRange) {
  for (float x = 0; x < 10; x += 0.37f) {
    for (float y = 0; y < 10; y += 0.53f) {
      float value = art::TiledFractalNoise(7, x, y, 4, 8);
      EXPECT_NEAR(value, art::TiledFractalNoise(7, x + 8, y, 4, 8), 1e-4);
      EXPECT_NEAR(value, art::TiledFractalNoise(7, x, y + 8, 4, 8), 1e-4);
      float free = art::FractalNoise(3, x, y, 5);
      EXPECT_GE(free, 0.0f);
      EXPECT_LE(free, 1.0f);
      EXPECT_EQ(free, art::FractalNoise(3, x, y, 5));
    }
  }
  EXPECT_NE(art::LatticeValue(1, 5, 5), art::LatticeValue(2, 5, 5));
}

// Guards against shapes that lose or gain coverage: a blur keeps the mass,
// a dilation grows a point into a disc.
TEST(Shapes, BlurKeepsCoverageAndDilationGrowsIt) {
  art::Mask disc = art::EllipseMask(40, 40, 20, 20, 6, 6);
  auto mass = [](const art::Mask& mask) {
    double sum = 0;
    for (int y = 0; y < mask.Height(); ++y)
      for (int x = 0; x < mask.Width(); ++x) sum += mask.At(x, y);
    return sum;
  };
  EXPECT_NEAR(mass(disc), 3.14159 * 36, 4.0);
  EXPECT_NEAR(mass(disc.Blurred(2)), mass(disc), 0.5);
  art::Mask point(9, 9);
  point.Set(4, 4, 1.0f);
  art::Mask grown = point.Dilated(2);
  EXPECT_EQ(grown.At(4, 2), 1.0f);
  EXPECT_EQ(grown.At(6, 4), 1.0f);
  EXPECT_EQ(grown.At(6, 6), 0.0f);
}

// Guards against layouts read differently from the game: six numbers per
// button, then the label the game skips.
TEST(Layout, ButtonsCarryTheirLabelsAfterTheNumbers) {
  std::string path = testing::TempDir() + "buttons.inf";
  std::ofstream(path) << "2\n10 20 30 40 13 1 Back to the map\n0 0 0 0 0 0\n";
  std::vector<art::ButtonSpec> buttons = art::ReadButtons(path);
  ASSERT_EQ(buttons.size(), 2u);
  EXPECT_EQ(buttons[0].rect.x, 10);
  EXPECT_EQ(buttons[0].rect.height, 40);
  EXPECT_EQ(buttons[0].hotKey, 13);
  EXPECT_TRUE(buttons[0].keyed);
  EXPECT_EQ(buttons[0].label, "Back to the map");
  EXPECT_EQ(buttons[1].label, "");
  std::ofstream(path) << "3\n10 20 30 40 13 1\n";
  EXPECT_EXIT(art::ReadButtons(path), testing::ExitedWithCode(1), "too few buttons");
  std::ofstream(path) << "1\n10 20 thirty 40 13 1\n";
  EXPECT_EXIT(art::ReadButtons(path), testing::ExitedWithCode(1), "bad line");
}

}  // namespace
