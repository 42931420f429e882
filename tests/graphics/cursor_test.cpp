#include <gtest/gtest.h>

#include "support/test_display.h"

namespace {

class CursorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing_support::OpenTestDisplay();
    CursorVisible = true;
    SelectCursor(1);  // a solid 48 x 48 picture of 0x1234
    DrawColour = 0x0101;
    ClearSurface(*PrimarySurface);
    ClearSurface(*CursorSaveUnder);
  }
  void TearDown() override { CursorVisible = false; }

  static int CountCursorPixels() {
    int n = 0;
    for (int y = 0; y < 600; ++y)
      for (int x = 0; x < 800; ++x) n += PrimarySurface->PixelAt(x, y) == 0x1234;
    return n;
  }
};

// Guards against cursor clipping that draws outside the screen or the
// wrong part of the picture at the corners.
TEST_F(CursorTest, ClippedAtTopLeftAndBottomRight) {
  MoveCursor(0, 0);
  EXPECT_EQ(CountCursorPixels(), 32 * 32);
  EXPECT_EQ(PrimarySurface->PixelAt(31, 31), 0x1234);
  EXPECT_EQ(PrimarySurface->PixelAt(32, 0), 0x0101);
  MoveCursor(799, 599);
  EXPECT_EQ(CountCursorPixels(), 17 * 17);
  EXPECT_EQ(PrimarySurface->PixelAt(783, 583), 0x1234);
  EXPECT_EQ(PrimarySurface->PixelAt(782, 583), 0x0101);
}

// Guards against a save-under that does not restore what the cursor hid.
TEST_F(CursorTest, MovingRestoresTheScreenUnderneath) {
  MoveCursor(400, 300);
  EXPECT_EQ(PrimarySurface->PixelAt(384, 284), 0x1234);
  MoveCursor(100, 100);
  EXPECT_EQ(PrimarySurface->PixelAt(384, 284), 0x0101);
  EXPECT_EQ(CountCursorPixels(), 48 * 48);
}

// Guards against selecting a missing cursor picture changing the cursor.
TEST_F(CursorTest, SelectingAMissingImageChangesNothing) {
  CursorImages[2].reset();
  SelectCursor(2);
  EXPECT_EQ(CursorIndex, 1);
  SelectCursor(42);
  EXPECT_EQ(CursorIndex, 1);
}

// Guards against the hand cursor shown without a hand picture, or for
// buttons without the hand flag.
TEST_F(CursorTest, HandPictureOnlyOverHandButtons) {
  struct HandMode : tmode {
    HandMode() { loaded = true; }
  } mode;
  mode.buttonCount = 1;
  mode.buttons[1].enabled = true;
  mode.buttons[1].Width = mode.buttons[1].Height = 100;
  SwitchMode(&mode);
  mode.hotButton = 1;
  mode.buttons[1].handCursor = true;
  MoveCursor(50, 50);
  EXPECT_EQ(PrimarySurface->PixelAt(50, 50), 0x1234);  // no hand picture loaded
  HandCursorImage = CreateOffscreen(48, 48);
  HandCursorImage->SetColorKey(0, 0);
  HandCursorImage->Blt(nullptr, nullptr, nullptr, platform::DDBLT_COLORFILL, 0x4321);
  MoveCursor(51, 50);
  EXPECT_EQ(PrimarySurface->PixelAt(51, 50), 0x4321);
  mode.buttons[1].handCursor = false;
  MoveCursor(52, 50);
  EXPECT_EQ(PrimarySurface->PixelAt(52, 50), 0x1234);
}

}  // namespace
