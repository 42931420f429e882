#include <cstring>

#include "game/solver.h"
#include "graphics/transition.h"
#include "main_screen_fixture.h"
#include "screens/main_counters.h"
#include "screens/message_mode.h"
#include "shell/mode_stack.h"

using main_screen_testing::g_now;
using main_screen_testing::MainScreenTest;

namespace {

// A wall of radiated areas round the top-left corner of the 8 x 8 map
// (cells are numbered down the columns): opening cell 64 opens everything
// outside it, and the six cells inside (1, 2, 9, 10, 17, 18) stay closed.
const std::vector<int> kWall = {3, 11, 19, 25, 26, 27};

std::vector<uint8_t> IslandBytes() {
  const auto* bytes = reinterpret_cast<const uint8_t*>(&Island);
  return std::vector<uint8_t>(bytes, bytes + sizeof Island);
}

}  // namespace

// Guards against a misspelt or missing status text for any place the
// pointer can be over: the buttons, the island's kinds of area, the sea,
// the menu column, the counters' explanations.
TEST_F(MainScreenTest, PointerOverEachPlaceExplainsIt) {
  PlayKnownMap(kWall);
  const std::pair<int, const char*> buttons[] = {{1, "Start game at the new map"}, {2, "Change game options"},
                                                 {3, "View best scores"},          {4, "View help"},
                                                 {6, "Exit to Windows"},           {8, "Select map type"}};
  for (auto [index, text] : buttons) {
    const tbutton& b = MainMode.buttons[index];
    Move(b.X + 5, b.Y + 5);
    EXPECT_EQ(StatusText, text);
  }
  Move(700, 106);  // between two buttons of the menu column
  EXPECT_EQ(StatusText, "");
  Move(CellX(10), CellY(10));
  EXPECT_EQ(StatusText, "Unexplored area");
  EXPECT_EQ(Island.hoverCode, 10);
  Island.Cell(10).isMarked = 1;
  Move(CellX(10) + 1, CellY(10));
  EXPECT_EQ(StatusText, "Marked area");
  OpenCell(Island, 64);
  Move(CellX(36), CellY(36));
  EXPECT_EQ(StatusText, "Explored area");
  Move(SeaX(), SeaY());
  EXPECT_EQ(StatusText, "");
  Move(700, 430);
  EXPECT_EQ(StatusText, "The seconds you expore this map");
  Move(700, 470);
  EXPECT_EQ(StatusText, "Unknown radiated areas left");
  Island.Cell(3).isExplored = 1;
  Move(CellX(3), CellY(3));
  EXPECT_EQ(StatusText, "Radiated area (-30 seconds)");
  GameOptions.radiationFatal = 1;
  Move(CellX(4), CellY(4));
  Move(CellX(3), CellY(3));
  EXPECT_EQ(StatusText, "You have failed!");
}

// Guards against clicks that act where they must not: on the sea, outside
// the picture, on the panel, and on any cell once the map has ended.
TEST_F(MainScreenTest, ClicksOffTheIslandOrAfterTheEndChangeNothing) {
  PlayKnownMap(kWall);
  std::vector<uint8_t> before = IslandBytes();
  for (auto [x, y] : {std::pair{SeaX(), SeaY()}, {OffsetX - 20, 300}, {700, 430}, {OffsetX, OffsetY + 100}}) {
    for (int button : {1, 2}) {
      Click(button, x, y);
      Release(button, x, y);
    }
  }
  Island.hoverCode = 0;
  EXPECT_EQ(IslandBytes(), before);
  Island.active = 0;
  before = IslandBytes();
  Click(1, CellX(40), CellY(40));
  Click(2, CellX(41), CellY(41));
  Island.hoverCode = 0;
  EXPECT_EQ(IslandBytes(), before);
  EXPECT_EQ(StartTick, 0);
}

// Guards against the three clicks on a cell going astray: a left click
// opens (with its cascade), a right click marks, a left click on an
// explored cell opens its unmarked neighbours only when its digit is
// matched by marks.
TEST_F(MainScreenTest, LeftOpensRightMarksAndAMatchedDigitOpensItsNeighbours) {
  PlayKnownMap(kWall);
  Click(1, CellX(64), CellY(64));
  EXPECT_TRUE(Island.Cell(12).isExplored);  // the cascade reached the digits
  EXPECT_FALSE(Island.Cell(10).isExplored);
  EXPECT_EQ(StatusText, "Explored area");
  EXPECT_NE(StartTick, 0);
  Click(2, CellX(3), CellY(3));
  Release(2, CellX(3), CellY(3));
  EXPECT_TRUE(Island.Cell(3).isMarked);
  EXPECT_EQ(RadiatedCounterText(), "5");
  OpenCell(Island, 10);  // shows 3: cells 3, 11 and 19
  Click(2, CellX(11), CellY(11));
  Click(1, CellX(10), CellY(10));
  EXPECT_FALSE(Island.Cell(9).isExplored);
  Click(2, CellX(19), CellY(19));
  Click(1, CellX(10), CellY(10));
  for (int cell : {1, 2, 9, 17, 18}) EXPECT_TRUE(Island.Cell(cell).isExplored) << cell;
  EXPECT_FALSE(Island.Cell(3).isExplored);
  EXPECT_EQ(ResultText, "Victory!");
}

// Guards against a neighbour highlight that does not appear under the
// right button, does not follow the pointer to another explored cell, or
// stays after the release.
TEST_F(MainScreenTest, RightButtonHighlightsFollowsAndClears) {
  PlayKnownMap(kWall);
  Click(1, CellX(64), CellY(64));
  Release(1, CellX(64), CellY(64));
  uint16_t plain3 = PrimarySurface->PixelAt(CellX(3), CellY(3));
  uint16_t plain11 = PrimarySurface->PixelAt(CellX(11), CellY(11));
  Click(2, CellX(12), CellY(12));
  EXPECT_EQ(MainMode.highlight, (std::vector<int>{12, 11, 3, 19}));  // in the neighbour list's order
  EXPECT_EQ(PrimarySurface->PixelAt(CellX(3), CellY(3)), Darken(plain3, 40));
  Move(CellX(20), CellY(20));
  EXPECT_EQ(MainMode.highlight, (std::vector<int>{20, 19, 11, 27}));
  EXPECT_EQ(PrimarySurface->PixelAt(CellX(3), CellY(3)), plain3);
  EXPECT_EQ(PrimarySurface->PixelAt(CellX(11), CellY(11)), Darken(plain11, 40));
  Release(2, CellX(20), CellY(20));
  EXPECT_TRUE(MainMode.highlight.empty());
  EXPECT_EQ(PrimarySurface->PixelAt(CellX(11), CellY(11)), plain11);
}

// Guards against the seconds counter running before the first opening,
// skipping the first second, or running on after the end; and against the
// result leaving the status line when the pointer moves after a loss.
TEST_F(MainScreenTest, CountersStartAtTheFirstOpeningAndTheResultStays) {
  GameOptions.radiationFatal = 1;
  PlayKnownMap(kWall);
  EXPECT_EQ(SecondsCounterText(), "0");
  EXPECT_EQ(RadiatedCounterText(), "6");
  g_now += 5000;
  EXPECT_EQ(SecondsCounterText(), "0");
  Click(1, CellX(64), CellY(64));
  EXPECT_EQ(SecondsCounterText(), "1");
  g_now += 2500;
  EXPECT_EQ(SecondsCounterText(), "3");
  Click(1, CellX(3), CellY(3));
  EXPECT_EQ(StatusText, "You have failed!");
  g_now += 10000;
  EXPECT_EQ(SecondsCounterText(), "3");
  EXPECT_EQ(RadiatedCounterText(), "0");
  Move(SeaX(), SeaY());
  EXPECT_EQ(StatusText, "You have failed!");
  Move(MainMode.buttons[1].X + 5, MainMode.buttons[1].Y + 5);
  EXPECT_EQ(StatusText, "Start game at the new map");
  Move(OffsetX - 20, 300);
  EXPECT_EQ(StatusText, "You have failed!");
}

// Guards against F12 opening nothing when the solver names a cell, and
// against its two messages (or F11's island number) lost or misspelt.
TEST_F(MainScreenTest, HintKeyOpensTheNamedCellOrSaysWhyNot) {
  PlayKnownMap(kWall);
  auto key = [](int code) {
    Enter(&MainMode, true);
    main_screen_testing::g_stepping = true;
    MainMode.KeyDown(code);
    main_screen_testing::g_stepping = false;
  };
  key(platform::VK_F12);  // nothing explored yet: no deduction
  EXPECT_EQ(CurrentMode(), &MessageScreen);
  EXPECT_EQ(MessageScreen.line1, "No any variants");
  EXPECT_EQ(MessageScreen.line2, "");
  EXPECT_EQ(MessageScreen.textColour, PackColour(255, 0, 0));
  OpenCell(Island, 64);
  int32_t named = FindSafeCell();
  ASSERT_GT(named, 0);
  key(platform::VK_F12);
  EXPECT_TRUE(Island.Cell(named).isExplored);
  EXPECT_EQ(ResultText, "Victory!");  // its cascade opened the last safe cells
  key(platform::VK_F12);  // also after the end
  EXPECT_EQ(MessageScreen.line1, "Whole island is explored");
  IslandNumber = 17;
  key(platform::VK_F11);
  EXPECT_EQ(MessageScreen.line1, "GameMode=17");
  EXPECT_EQ(MessageScreen.textColour, PackColour(220, 220, 220));
}

// Guards against a lost map turned into a victory (and a best-scores entry)
// by the hint key, which still opens the safe cells left after a loss.
TEST_F(MainScreenTest, HintKeyAfterALossNeverWinsTheMap) {
  GameOptions.radiationFatal = 1;
  PlayKnownMap(kWall);
  Click(1, CellX(64), CellY(64));
  Click(1, CellX(3), CellY(3));
  ASSERT_EQ(ResultText, "You have failed!");
  int32_t lostAt = EndTick;
  g_now += 5000;
  for (int i = 0; i < 8 && FindSafeCell() > 0; ++i) MainMode.KeyDown(platform::VK_F12);
  EXPECT_EQ(FindSafeCell(), -1);  // every safe cell is open now
  EXPECT_EQ(ResultText, "You have failed!");
  EXPECT_EQ(EndTick, lostAt);
  EXPECT_EQ(CurrentMode(), &MainMode);
}

// Guards against a status-line picture made for every text without limit:
// the 26th different text of a run ends the game with its message.
TEST_F(MainScreenTest, TwentySixthStatusTextEndsTheGame) {
  StatusLineCache cache;
  SurfaceRef frame = CreateOffscreen(800, 600);
  for (int i = 0; i < 25; ++i) cache.Draw(*frame, "Text " + std::to_string(i));
  cache.Draw(*frame, "Text 3");
  EXPECT_EQ(cache.Entries(), 25);
  testing_support::ProgramStop stop = testing_support::StopOf([&] { cache.Draw(*frame, "Text 25"); });
  EXPECT_EQ(stop.kind, testing_support::StopKind::kFatalExit);
  EXPECT_STREQ(stop.what(), "Out of message buffer");
}

// Guards against the time spent on help or the best scores counted into
// the player's time, and against the scores screen opening without its
// cyan edge.
TEST_F(MainScreenTest, HelpAndScoresPauseTheClock) {
  RecordingMode help("Help"), scores("Scores");
  GameScreenModes.help = &help;
  GameScreenModes.scores = &scores;
  PlayKnownMap(kWall);
  Click(1, CellX(64), CellY(64));
  g_now += 3200;
  MainMode.ButtonPressed(4);
  EXPECT_EQ(CurrentMode(), &help);
  g_now += 60000;
  ResumeGameClock(OptionsHelpPauseTick);  // as help does when left
  EXPECT_EQ(ElapsedSeconds(), 4);
  Enter(&MainMode, true);
  int32_t seconds = ElapsedSeconds();
  MainMode.ButtonPressed(3);
  EXPECT_EQ(CurrentMode(), &scores);
  EXPECT_EQ(EdgeColour, static_cast<int16_t>(PackColour(0, 255, 255)));
  EXPECT_EQ(EdgeWidth, 4);
  g_now += 30000;
  ResumeGameClock(ScoresPauseTick);
  EXPECT_EQ(ElapsedSeconds(), seconds);
  EdgeColour = -1;
  EdgeWidth = 16;
}

// Guards against the first map not starting by itself, or starting again
// on every idle pass, and against a new map that does not reach the screen.
TEST_F(MainScreenTest, FirstIdlePassStartsTheMapOfTheStoredType) {
  GameOptions.mapType = 3;
  main_screen_testing::g_stepping = true;
  MainMode.Idle();
  main_screen_testing::g_stepping = false;
  EXPECT_TRUE(MainMode.mapLoaded);
  EXPECT_EQ(CurrentMapType, 3);
  EXPECT_EQ(Island.active, 1);
  int32_t island = IslandNumber;
  std::vector<uint8_t> state = IslandBytes();
  MainMode.Idle();
  EXPECT_EQ(IslandBytes(), state);
  EXPECT_EQ(IslandNumber, island);
  // An explored cell's texture shows on the screen where the cell lies.
  for (int d = 1; d <= Island.cellCount; ++d) {
    if (!Island.Cell(d).isExplored) continue;
    // Right of and below the digit, inside the cell.
    int x = OffsetX + 2 * Island.Cell(d).colCentre + 16, y = OffsetY + 2 * Island.Cell(d).rowCentre + 16;
    EXPECT_EQ(PrimarySurface->PixelAt(x, y), MainMode.art.normal->PixelAt(x - OffsetX, y - OffsetY));
    break;
  }
}
