#include <gtest/gtest.h>

#include "support/test_display.h"

namespace {

class DisplayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing_support::OpenTestDisplay();
    surface = CreateOffscreen(40, 30);
  }
  int Count(uint16_t value) const {
    int n = 0;
    for (int y = 0; y < surface->Height(); ++y)
      for (int x = 0; x < surface->Width(); ++x) n += surface->PixelAt(x, y) == value;
    return n;
  }
  SurfaceRef surface;
};

// Guards against lines that draw their end point or swap the argument order.
TEST_F(DisplayTest, LineExcludesItsEndPoint) {
  DrawColour = platform::RGB(255, 255, 255);
  DrawLine(*surface, 2, 5, 5, 10);  // x1 2, y1 5, y2 5, x2 10
  for (int x = 2; x < 10; ++x) EXPECT_EQ(surface->PixelAt(x, 5), 0xFFFF) << x;
  EXPECT_EQ(surface->PixelAt(10, 5), 0);
  EXPECT_EQ(Count(0xFFFF), 8);
  DrawLine(*surface, 20, 1, 4, 20);  // vertical: rows 1..3
  EXPECT_EQ(surface->PixelAt(20, 1), 0xFFFF);
  EXPECT_EQ(surface->PixelAt(20, 3), 0xFFFF);
  EXPECT_EQ(surface->PixelAt(20, 4), 0);
}

// Guards against outlines one pixel too big or with gaps at the corners,
// and against mixing up the height and width arguments.
TEST_F(DisplayTest, OutlineRectCoversExactlyItsBorder) {
  DrawColour = platform::RGB(0, 255, 0);
  uint16_t green = PackColour(0, 255, 0);
  DrawOutlineRect(*surface, 3, 4, 5, 10);  // height 5, width 10
  EXPECT_EQ(surface->PixelAt(3, 4), green);
  EXPECT_EQ(surface->PixelAt(12, 4), green);
  EXPECT_EQ(surface->PixelAt(12, 8), green);
  EXPECT_EQ(surface->PixelAt(3, 8), green);
  EXPECT_EQ(surface->PixelAt(13, 4), 0);
  EXPECT_EQ(surface->PixelAt(3, 9), 0);
  EXPECT_EQ(surface->PixelAt(5, 6), 0);
  EXPECT_EQ(Count(green), 2 * 10 + 2 * 3);
}

// Guards against keyed copies that paint black, and copies that ignore the
// surface pitch or run past the target.
TEST_F(DisplayTest, KeyedCopySkipsBlackAndClipsAtEdges) {
  SurfaceRef sprite = CreateOffscreen(4, 4);
  sprite->SetColorKey(0, 0);
  platform::Rect cell{1, 1, 3, 3};
  FillRect(*sprite, cell, 0x1111);
  DrawColour = 0x2222;
  ClearSurface(*surface);
  CopySurface(*surface, 38, 28, *sprite, kCopyKeyed);  // hangs over the corner
  EXPECT_EQ(surface->PixelAt(38, 28), 0x2222);
  EXPECT_EQ(surface->PixelAt(39, 29), 0x1111);
  CopySurface(*surface, 0, 0, *sprite, kCopyWait);
  EXPECT_EQ(surface->PixelAt(0, 0), 0);
  EXPECT_EQ(surface->PixelAt(1, 1), 0x1111);
}

// Guards against a flip loop that spins on a lost surface or flips twice.
TEST_F(DisplayTest, FlipRestoresLostPrimaryWithoutFlippingAgain) {
  DrawColour = 0x0F0F;
  ClearSurface(*RealBackBuffer);
  DrawColour = 0;
  ClearSurface(*PrimarySurface);
  platform::InjectFlipResults(platform::DDERR_SURFACELOST, 1);
  FlipScreen();
  EXPECT_FALSE(PrimarySurface->IsLost());
  EXPECT_EQ(PrimarySurface->PixelAt(400, 300), 0);  // not flipped after the restore
  DrawColour = 0x0F0F;
  ClearSurface(*RealBackBuffer);  // the restored back buffer lost its picture
  FlipScreen();
  EXPECT_EQ(PrimarySurface->PixelAt(400, 300), 0x0F0F);
  // A flip that is still drawing is simply repeated.
  platform::InjectFlipResults(platform::DDERR_WASSTILLDRAWING, 3);
  FlipScreen();
  EXPECT_EQ(PrimarySurface->PixelAt(400, 300), 0);
}

// Guards against drawing that reaches the back buffer instead of the
// new-screen buffer while a mode's first frame is drawn.
TEST_F(DisplayTest, ShowDrawsIntoTheNewScreenBuffer) {
  UseNewScreenAsBackBuffer();
  EXPECT_EQ(BackBuffer, NewScreenBuffer);
  UseRealBackBuffer();
  EXPECT_EQ(BackBuffer, RealBackBuffer);
}

}  // namespace
