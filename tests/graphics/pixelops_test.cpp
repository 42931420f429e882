#include <gtest/gtest.h>

#include <algorithm>

#include "graphics/pixelops.h"
#include "support/test_display.h"

namespace {

int Red565(Pixel p) { return p >> 11; }
int Green565(Pixel p) { return (p >> 5) & 63; }
int Blue565(Pixel p) { return p & 31; }
int Red555(Pixel p) { return (p >> 10) & 31; }
int Green555(Pixel p) { return (p >> 5) & 31; }

// Guards against wrong shifts or divisors when packing colours.
TEST(PixelOpsTest, PackColourInBothFormats) {
  EXPECT_EQ(pixel565::PackColour(255, 255, 255), 0xFFFF);
  EXPECT_EQ(pixel565::PackColour(220, 220, 220), 0xDEFB);
  EXPECT_EQ(pixel565::PackColour(60, 60, 60), 0x39E7);
  EXPECT_EQ(pixel565::PackColour(0, 0, 0), 0);
  EXPECT_EQ(pixel555::PackColour(255, 255, 255), 0x7FFF);
  EXPECT_EQ(pixel555::PackColour(255, 0, 0), 0x7C00);
  EXPECT_EQ(pixel555::PackColour(0, 255, 0), 0x03E0);
  EXPECT_EQ(pixel555::PackColour(7, 7, 7), 0);
}

// Guards against darkening that uses the wrong green step or wraps below 0.
TEST(PixelOpsTest, DarkenSaturatesPerField) {
  EXPECT_EQ(pixel565::Darken(0xFFFF, 8), 0xF7BE);
  Pixel seven = pixel565::Darken(0xFFFF, 7);  // red/blue step 0, green step 1
  EXPECT_EQ(Red565(seven), 31);
  EXPECT_EQ(Green565(seven), 62);
  EXPECT_EQ(Blue565(seven), 31);
  EXPECT_EQ(pixel565::Darken(pixel565::PackColour(16, 16, 16), 255), 0);
  Pixel p555 = pixel555::Darken(0x7FFF, 8);
  EXPECT_EQ(Red555(p555), 30);
  EXPECT_EQ(Green555(p555), 30);  // green steps by 8 in 5-5-5
  EXPECT_EQ(pixel555::Darken(0x7FFF, 7), 0x7FFF);
}

// Guards against brightening that carries into the neighbouring field.
TEST(PixelOpsTest, BrightenSaturatesWithoutCarry) {
  Pixel red30 = static_cast<Pixel>(30 << 11);
  Pixel bright = pixel565::Brighten(red30, 16);
  EXPECT_EQ(Red565(bright), 31);
  EXPECT_EQ(Green565(bright), 4);
  EXPECT_EQ(Blue565(bright), 2);
  EXPECT_EQ(pixel565::Brighten(0xFFFF, 255), 0xFFFF);
  EXPECT_EQ(pixel555::Brighten(0x7FFF, 255), 0x7FFF);
  EXPECT_EQ(pixel555::Brighten(0, 8), 0x0421);
}

// Guards against signed steps rounded the wrong way or applied to the wrong
// field.
TEST(PixelOpsTest, AdjustChannelsTruncatesTowardZero) {
  Pixel grey = pixel565::PackColour(128, 128, 128);
  EXPECT_EQ(pixel565::AdjustChannels(grey, -7, 0, 0), grey);
  EXPECT_EQ(Red565(pixel565::AdjustChannels(grey, -9, 0, 0)), Red565(grey) - 1);
  Pixel mixed = pixel565::AdjustChannels(grey, 16, -8, 255);
  EXPECT_EQ(Red565(mixed), Red565(grey) + 2);
  EXPECT_EQ(Green565(mixed), Green565(grey) - 2);
  EXPECT_EQ(Blue565(mixed), 31);
  Pixel grey555 = pixel555::PackColour(128, 128, 128);
  EXPECT_EQ(Green555(pixel555::AdjustChannels(grey555, 0, -8, 0)), Green555(grey555) - 1);
  EXPECT_EQ(pixel555::AdjustChannels(grey555, 0, -7, 0), grey555);
}

// Guards against a large step carrying into the neighbouring field: for any
// step, in both layouts, each field moves by its own step and stops at 0 or
// at its maximum, and the other fields stay as they were.
TEST(PixelOpsTest, AdjustChannelsNeverCarriesWhateverTheStep) {
  EXPECT_EQ(pixel565::AdjustChannels(0, 0, 0, 320), 0x001F);
  EXPECT_EQ(pixel565::AdjustChannels(0xFFFF, 0, -320, 0), 0xF81F);
  struct Layout {
    Pixel (*adjust)(Pixel, int, int, int);
    int redShift, greenBits;
  };
  for (Layout layout : {Layout{pixel565::AdjustChannels, 11, 6}, Layout{pixel555::AdjustChannels, 10, 5}}) {
    const int greenMax = (1 << layout.greenBits) - 1, greenDivisor = layout.greenBits == 6 ? 4 : 8;
    auto pack = [&](int r, int g, int b) { return static_cast<Pixel>((r << layout.redShift) | (g << 5) | b); };
    auto moved = [](int field, int step, int maximum) { return std::clamp(field + step, 0, maximum); };
    for (int field : {0, 1, 15, 30, 31}) {
      const int green = field * greenMax / 31;
      for (int step = -4000; step <= 4000; step += 37) {
        EXPECT_EQ(layout.adjust(pack(field, green, field), step, 0, 0), pack(moved(field, step / 8, 31), green, field));
        EXPECT_EQ(layout.adjust(pack(field, green, field), 0, step, 0),
                  pack(field, moved(green, step / greenDivisor, greenMax), field));
        EXPECT_EQ(layout.adjust(pack(field, green, field), 0, 0, step), pack(field, green, moved(field, step / 8, 31)));
      }
    }
  }
}

// Guards against the format detection picking the wrong family.
TEST(PixelOpsTest, SelectPixelFormatChoosesFamilyFromGreenLevels) {
  SelectPixelFormat({0x7C00, 0x03E0, 0x001F});
  EXPECT_EQ(PixelFormat.greenLevels, 32u);
  EXPECT_EQ(PackColour(255, 255, 255), 0x7FFF);
  EXPECT_EQ(PixelFormat.white, 0x7FFF);
  SelectPixelFormat({0xF800, 0x07E0, 0x001F});
  EXPECT_EQ(PixelFormat.greenLevels, 64u);
  EXPECT_EQ(PixelFormat.blueUnit, 32u);
  EXPECT_EQ(PackColour(255, 255, 255), 0xFFFF);
  EXPECT_EQ(Darken(0xFFFF, 8), 0xF7BE);
}

// Guards against an unreadable display format going unnoticed: the game
// must end with the platform's description of the error.
TEST(PixelOpsTest, UnreadableFormatEndsTheGameWithItsDescription) {
  testing_support::OpenTestDisplay();
  platform::InjectPixelFormatFailure();
  testing_support::ProgramStop stop = testing_support::StopOf(DetectPixelFormat);
  EXPECT_EQ(stop.kind, testing_support::StopKind::kFatalExit);
  EXPECT_EQ(stop.what(), std::string(platform::DirectDrawErrorText(platform::DDERR_SURFACELOST)));
  DetectPixelFormat();  // the next detection reads the format again
  EXPECT_EQ(PixelFormat.greenLevels, 64u);
}

}  // namespace
