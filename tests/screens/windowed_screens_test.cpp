// The framed-window base, the message box and the help screen.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "graphics/cursor.h"
#include "graphics/pixelops.h"
#include "game/clock.h"
#include "game/island.h"
#include "screens/help_mode.h"
#include "screens/main_mode.h"
#include "screens/message_mode.h"
#include "shell/mode_stack.h"
#include "screen_fixture.h"
#include "support/program_stops.h"

namespace {

using screens_testing::Changed;
using screens_testing::ChangedPixels;
using screens_testing::Fill;
using screens_testing::ScreenTest;

class WindowedScreenTest : public ScreenTest {
 protected:
  // A screen folder of its own with the given size file and the message
  // box's window picture.
  void WriteScreen(const std::string& folder, const std::string& sizeText) {
    std::filesystem::create_directories(Folder() / folder);
    std::ofstream(Folder() / folder / "size.inf") << sizeText;
    std::filesystem::copy_file(std::filesystem::path(TERVANE_GAME_DIR) / "Message" / "graphics.dat",
                               Folder() / folder / "graphics.dat");
  }
};

// Guards against a wrong centring, a -50 that is not clamped at the top, a
// message box not moved 40 left and 15 up (nor clamped after the move), and
// size files whose extra text or damaged numbers are misread.
TEST_F(WindowedScreenTest, PlacesWindowsFromTheirSizeFiles) {
  EXPECT_EQ(PlaceWindow({400, 300}).x, 200);
  EXPECT_EQ(PlaceWindow({400, 300}).y, 100);
  EXPECT_EQ(PlaceWindow({800, 600}).x, 0);
  EXPECT_EQ(PlaceWindow({800, 600}).y, 0);
  EXPECT_EQ(PlaceWindow({441, 201}).x, 179);  // (800 - 441) div 2
  EXPECT_EQ(PlaceWindow({441, 201}).y, 149);  // (600 - 201) div 2 - 50

  std::filesystem::remove(Folder() / "Message");
  WriteScreen("Message", "400\r\n  300 the rest of the line\r\n");
  tMesMode box;
  box.Load();
  EXPECT_EQ(box.X, 160);
  EXPECT_EQ(box.Y, 85);
  EXPECT_EQ(box.Width, 400);
  EXPECT_EQ(box.Height, 300);

  std::ofstream(Folder() / "Message" / "size.inf", std::ios::trunc) << "800 600";
  tMesMode full;
  full.Load();
  EXPECT_EQ(full.X, -40);
  EXPECT_EQ(full.Y, -15);

  std::ofstream(Folder() / "Message" / "size.inf", std::ios::trunc) << "-5 99999999\n";
  EXPECT_EQ(ReadWindowSize("Message\\size.inf").width, 0);
  EXPECT_EQ(ReadWindowSize("Message\\size.inf").height, kLargestWindowSide);
  std::ofstream(Folder() / "Message" / "size.inf", std::ios::trunc) << "400 wide";
  EXPECT_EQ(testing_support::StopOf([] { ReadWindowSize("Message\\size.inf"); }).code, 106);
  std::filesystem::remove(Folder() / "Message" / "size.inf");
  EXPECT_EQ(testing_support::StopOf([] { tMesMode().Load(); }).code, 2);
}

// Guards against shadow strips of the wrong extent, a pixel darkened twice,
// and strips that run off the surface (into the next row or past the end)
// when the window lies near the right or bottom edge.
TEST_F(WindowedScreenTest, ShadowStripsDarkenOnlyTheirPixelsInsideTheSurface) {
  const Pixel white = PackColour(255, 255, 255);
  const Pixel once = Darken(white, 56);
  struct Case {
    int x, y, width, height;
  };
  for (const Case& window : {Case{100, 50, 200, 100}, Case{796, 100, 2, 50}, Case{300, 596, 100, 2},
                             Case{795, 595, 3, 3}}) {
    SurfaceRef surface = CreateOffscreen(800, 600);
    Fill(*surface, white);
    const uint16_t* pixels = surface->PixelsForInspection();
    const int pitch = surface->PitchBytes() / 2;
    const std::vector<uint16_t> before(pixels, pixels + pitch * 600);
    DrawDropShadow(*surface, window.x, window.y, window.width, window.height);
    int darkened = 0, expected = 0;
    for (int y = 0; y < 600; ++y) {
      for (int x = 0; x < 800; ++x) {
        const bool right = x >= window.x + window.width && x <= window.x + window.width + 7 &&
                           y >= window.y + 5 && y <= window.y + window.height + 5;
        const bool below = y >= window.y + window.height && y <= window.y + window.height + 5 &&
                           x >= window.x + 7 && x <= window.x + window.width - 1;
        const Pixel pixel = surface->PixelAt(x, y);
        ASSERT_EQ(pixel, right || below ? once : white) << x << "," << y << " window at " << window.x;
        darkened += pixel == once;
        expected += right || below;
      }
    }
    EXPECT_EQ(darkened, expected);
    // The padding past each row's end is never written.
    for (int y = 0; y < 600; ++y) {
      for (int x = 800; x < pitch; ++x) ASSERT_EQ(pixels[y * pitch + x], before[y * pitch + x]) << y;
    }
  }
  SurfaceRef full = CreateOffscreen(800, 600);
  Fill(*full, white);
  DrawDropShadow(*full, 0, 100, 100, 100);  // the strips start inside
  EXPECT_EQ(full->PixelAt(100, 105), once);
  EXPECT_EQ(full->PixelAt(107, 205), once);
  EXPECT_EQ(full->PixelAt(108, 205), white);
  EXPECT_EQ(full->PixelAt(7, 200), once);
  EXPECT_EQ(full->PixelAt(6, 200), white);
}

// A screen to return to: it shows nothing and counts how often it is entered.
struct StillScreen : tmode {
  StillScreen() {
    ModeName = "Still";
    loaded = true;
  }
  void Enter() override { ++entered; }
  int entered = 0;
};

int FontHeight(int font) {
  SelectFont(font);
  return CurrentFontData()->Height();
}

// Guards the backdrop: the screen beneath as shown but without the pointer,
// the two shadow strips darkened, the window picture at its place.
TEST_F(WindowedScreenTest, EnterComposesTheScreenBeneathWithShadowAndWindow) {
  StillScreen beneath;
  SwitchMode(&beneath);
  const Pixel scenery = PackColour(40, 160, 200);
  Fill(*PrimarySurface, scenery);
  CursorVisible = true;
  SelectCursor(1);
  MouseX = 600;
  MouseY = 520;
  DrawCursor(*PrimarySurface);
  ASSERT_NE(PrimarySurface->PixelAt(600, 520), scenery);

  ShowMessage("Radiation", "", {220, 220, 220}, {80, 0, 0});
  const tMesMode& box = MessageScreen;
  EXPECT_EQ(box.backdrop->PixelAt(600, 520), scenery);  // no pointer in the copy
  const int right = box.X + box.Width, bottom = box.Y + box.Height;
  EXPECT_EQ(box.backdrop->PixelAt(right + 3, box.Y + 5), Darken(scenery, 56));
  EXPECT_EQ(box.backdrop->PixelAt(right + 3, box.Y + 4), scenery);
  EXPECT_EQ(box.backdrop->PixelAt(box.X + 7, bottom + 5), Darken(scenery, 56));
  EXPECT_EQ(box.backdrop->PixelAt(box.X + 6, bottom + 5), scenery);
  for (int y : {box.Y, box.Y + box.Height / 2, bottom - 1}) {
    for (int x : {box.X, box.X + 3, right - 1}) {
      EXPECT_EQ(box.backdrop->PixelAt(x, y), box.backgroundImage->PixelAt(x - box.X, y - box.Y));
    }
  }
  CursorVisible = false;
}

// Guards the message lines: one line at row 205, two at 188 and 220, centred
// on 361, in capitals whatever the case given; Esc and Enter both close it.
TEST_F(WindowedScreenTest, MessageLinesInCapitalsAtTheirRows) {
  StillScreen beneath;
  SwitchMode(&beneath);
  beneath.entered = 0;
  const int height = FontHeight(4);

  ShowMessage("No any variants", "", {255, 0, 0}, {80, 0, 0});
  Changed one = ChangedPixels(*BackgroundBuffer, *MessageScreen.backdrop);
  EXPECT_GE(one.top, 205);
  EXPECT_LT(one.bottom, 205 + height);
  EXPECT_NEAR((one.left + one.right) / 2, 361, 3);
  SurfaceRef mixedCase = CreateOffscreen(800, 600);
  CopySurface(*mixedCase, 0, 0, *BackgroundBuffer, kCopyWait);
  MessageScreen.KeyDown(platform::VK_ESCAPE);
  EXPECT_EQ(beneath.entered, 1);

  ShowMessage("NO ANY VARIANTS", "", {255, 0, 0}, {80, 0, 0});
  EXPECT_EQ(ChangedPixels(*BackgroundBuffer, *mixedCase).bottom, -1);
  MessageScreen.KeyDown(platform::VK_RETURN);
  EXPECT_EQ(beneath.entered, 2);

  ShowMessage("GameMode=17", "second line", {220, 220, 220}, {80, 0, 0});
  Changed first = ChangedPixels(*BackgroundBuffer, *MessageScreen.backdrop);
  EXPECT_GE(first.top, 188);
  EXPECT_LT(first.top, 188 + height);
  EXPECT_GE(first.bottom, 220);
  EXPECT_LT(first.bottom, 220 + height);
  const Surface& backdrop = *MessageScreen.backdrop;
  for (int y = 188 + height; y < 220; ++y) {  // nothing between the two lines
    for (int x = 0; x < 800; ++x) ASSERT_EQ(BackgroundBuffer->PixelAt(x, y), backdrop.PixelAt(x, y)) << x << "," << y;
  }
  MessageScreen.MouseUp(1, MessageScreen.X + 170, MessageScreen.Y + 150);  // the OK button
  EXPECT_EQ(beneath.entered, 3);
}

// Guards against the time spent reading help counted into the player's
// time, and against help leading anywhere but the main screen.
TEST_F(ScreenTest, HelpLeftByEscapeResumesTheClockOnTheMainScreen) {
  SwitchMode(&MainMode);
  Island.active = 1;
  StartTick = static_cast<int32_t>(platform::GetTickCount() - 4500);
  OptionsHelpPauseTick = platform::GetTickCount();
  PushMode(&HelpScreen);
  ASSERT_EQ(CurrentMode(), &HelpScreen);
  screens_testing::g_ticks += 600000;  // ten minutes on the help page
  HelpScreen.KeyDown(platform::VK_ESCAPE);
  EXPECT_EQ(CurrentMode(), &MainMode);
  EXPECT_EQ(ModeStackDepth(), 1);
  // Only the few ticks the transitions read have passed on the clock.
  EXPECT_LT(ElapsedSeconds(), 30);
  Island.active = 0;
  StartTick = 0;
}

}  // namespace
