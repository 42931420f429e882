// What the main screen's tests add to the screens' fixture: a clock the
// test sets by hand, and a known 8 x 8 map on the screen.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <vector>

#include "game/clock.h"
#include "game/game_screen.h"
#include "game/island.h"
#include "game/island_fixtures.h"
#include "game/options_file.h"
#include "game/rules.h"
#include "game/view.h"
#include "platform/clock.h"
#include "screen_fixture.h"
#include "screens/main_game_screen.h"
#include "screens/main_mode.h"
#include "shell/recording_mode.h"
#include "shell/screen_modes.h"

namespace main_screen_testing {

// The tick count: fixed while a test reads the game clock, moving 1000 ms
// at every reading while `stepping` (transitions then end on their first pass).
inline uint32_t g_now = 500000;
inline bool g_stepping = false;
inline uint32_t TestTicks() { return g_stepping ? (g_now += 1000) : g_now; }

class MainScreenTest : public screens_testing::ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    platform::SetTickSource(TestTicks);
    // The test calls the screen as the main loop would, from inside a
    // handler: nested main-loop steps deliver nothing.
    DispatchEnabled = false;
    GameScreenModes = ScreenModes{};
    GameScreenModes.main = &MainMode;
    GameOptions = TGameOptions{1, 1, 0, 2};
    std::memset(&Island, 0, sizeof Island);
    MainMode.mapLoaded = false;
    StatusText.clear();
    ResultText.clear();
    GameRunning = 0;
    StartTick = EndTick = 0;
    Enter(&MainMode, true);
    ConnectMainScreenToGame();
  }
  void TearDown() override {
    GameScreenOutput = nullptr;
    GameScreenModes = ScreenModes{};
    ScreenTest::TearDown();
  }

  // Switches to a mode (pushes it over the current one) with time moving.
  static void Enter(tmode* mode, bool switching) {
    g_stepping = true;
    if (switching) {
      SwitchMode(mode);
    } else {
      PushMode(mode);
    }
    g_stepping = false;
  }

  // An 8 x 8 map in play, as a new map leaves it but without openings: the
  // radiated areas where given, nothing explored, the clock not started.
  static void PlayKnownMap(const std::vector<int>& radiated) {
    MakeSquareIsland(Island, radiated, 36);
    BuildBorderMask();
    Island.prepared = 1;
    Island.active = 1;
    BuildView(Island);
    CentreView();
    RadiatedTotal = static_cast<int32_t>(radiated.size());
    CurrentMapType = 2;
    Island.accountedRadiated = 0;
    MainMode.RenderIsland();
    MainMode.mapLoaded = true;
    GameRunning = 1;
    MainMode.Redraw(true);
  }

  // A screen point inside a cell: the view pixel at its centre.
  static int CellX(int cell) { return OffsetX + 2 * Island.Cell(cell).colCentre; }
  static int CellY(int cell) { return OffsetY + 2 * Island.Cell(cell).rowCentre - 1; }
  // A point of the sea inside the picture, and one on the screen left of it.
  static int SeaX() { return OffsetX + 3; }
  static int SeaY() { return OffsetY + 3; }

  static void Move(int x, int y) {
    MouseX = x;
    MouseY = y;
    MainMode.MouseMove(x, y);
  }
  static void Click(int button, int x, int y) {
    Move(x, y);
    (button == 1 ? LeftButtonHeld : RightButtonHeld) = true;
    MainMode.MouseDown(button, x, y);
  }
  static void Release(int button, int x, int y) {
    (button == 1 ? LeftButtonHeld : RightButtonHeld) = false;
    MainMode.MouseUp(button, x, y);
  }

};

}  // namespace main_screen_testing
