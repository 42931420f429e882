#include <gtest/gtest.h>

#include <vector>

#include "platform/icon.h"

namespace {

void Put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(v & 0xFF);
  out.push_back((v >> 8) & 0xFF);
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

// An 8-bit 32 x 32 icon: palette entry 1 red, the left half opaque
// (mask 0), the right half transparent (mask 1).
std::vector<uint8_t> MakeIcon8() {
  std::vector<uint8_t> image;
  Put32(image, 40);
  Put32(image, 32);
  Put32(image, 64);
  Put16(image, 1);
  Put16(image, 8);
  for (int i = 0; i < 6; ++i) Put32(image, 0);
  for (int i = 0; i < 256; ++i) Put32(image, i == 1 ? 0x00FF0000 : 0);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) image.push_back(1);
  for (int y = 0; y < 32; ++y) {
    image.push_back(0x00);
    image.push_back(0x00);
    image.push_back(0xFF);
    image.push_back(0xFF);
  }
  std::vector<uint8_t> file;
  Put16(file, 0);
  Put16(file, 1);
  Put16(file, 1);
  file.push_back(32);
  file.push_back(32);
  file.push_back(0);
  file.push_back(0);
  Put16(file, 1);
  Put16(file, 8);
  Put32(file, static_cast<uint32_t>(image.size()));
  Put32(file, 22);
  file.insert(file.end(), image.begin(), image.end());
  return file;
}

// Guards against icons decoded upside down, with wrong colours or with the
// transparency mask ignored.
TEST(IconTest, DecodesPaletteIconWithMask) {
  std::vector<uint8_t> file = MakeIcon8();
  platform::IconImage image;
  ASSERT_TRUE(platform::DecodeIcon(file.data(), file.size(), image));
  EXPECT_EQ(image.width, 32);
  EXPECT_EQ(image.height, 32);
  EXPECT_EQ(image.argb[0], 0xFFFF0000u);
  EXPECT_EQ(image.argb[31] >> 24, 0u);
}

// Guards against reading past a truncated or lying icon file.
TEST(IconTest, RefusesTruncatedAndOversizedIcons) {
  std::vector<uint8_t> file = MakeIcon8();
  platform::IconImage image;
  for (size_t cut : {0u, 5u, 21u, 40u, 100u, 1100u}) {
    EXPECT_FALSE(platform::DecodeIcon(file.data(), cut, image)) << cut;
  }
  std::vector<uint8_t> huge = file;
  huge[22 + 4] = 0x00;  // width 0x10000 + ...
  huge[22 + 6] = 0x01;
  EXPECT_FALSE(platform::DecodeIcon(huge.data(), huge.size(), image));
}

}  // namespace
