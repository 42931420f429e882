// The end-of-map screens, the name entry and the best-scores screen.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "game/options_file.h"
#include "graphics/pixelops.h"
#include "graphics/text.h"
#include "graphics/textsurface.h"
#include "screen_fixture.h"
#include "screens/fail_mode.h"
#include "screens/finish_mode.h"
#include "screens/main_mode.h"
#include "screens/new_record_mode.h"
#include "screens/scores_mode.h"

namespace {

using namespace screens_testing;

constexpr int kRowHeight = 30;  // the scores screen's rows: 150 + 30 x place

class EndScreenTest : public ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    LoadScores();  // the defaults: no file in the scratch folder
    SwitchMode(&MainMode);
  }
  void TearDown() override {
    platform::ClearTestKeyStates();
    ScreenTest::TearDown();
  }
  // Types a text on the current screen, capitals with Shift held.
  static void Type(const std::string& keys) {
    for (char key : keys) {
      const bool capital = key >= 'A' && key <= 'Z';
      platform::SetTestKeyState(platform::VK_SHIFT, capital, false);
      CurrentMode()->KeyDown(capital ? key : key == ' ' ? platform::VK_SPACE : key - 'a' + 'A');
    }
    platform::SetTestKeyState(platform::VK_SHIFT, false, false);
  }
  // Wins a map of type 1 in the given seconds, with the place it earns.
  static void RecordScreen(int32_t seconds) {
    FinishedGame(1, seconds);
    NewRecordPlace = FindRecordPlace(1, seconds);
    NewRecordScreen.line1 = "You complete this map for " + std::to_string(seconds) + " seconds";
    NewRecordScreen.line2 = "and have got the " + std::to_string(NewRecordPlace) + " place";
    PushMode(&NewRecordScreen);
  }
  static const TScoreEntry& Entry(int place) { return ScoreTable[0][place - 1]; }
};

// Guards against the finish screen's lines missing from their rows, and
// against "Back to the map" preparing a new map: the lost map stays as it
// was, every radiated area shown, under the main screen alone on the stack.
TEST_F(EndScreenTest, FinishShowsItsLinesAndBackKeepsTheFinishedMap) {
  FinishedGame(2, 250);
  PushMode(&FinishScreen);
  SelectFont(2);
  const int height = CurrentFontData()->Height();
  const Changed text = ChangedPixels(*BackgroundBuffer, *FinishScreen.backdrop);
  EXPECT_GE(text.top, 213);
  EXPECT_LT(text.top, 213 + height);
  EXPECT_GE(text.bottom, 248);
  EXPECT_LT(text.bottom, 248 + height);
  EXPECT_NEAR((text.left + text.right) / 2, 401, 4);

  const auto before = std::make_unique<TIsland>(Island);
  for (tmode* screen : {static_cast<tmode*>(&FinishScreen), static_cast<tmode*>(&FailureScreen)}) {
    PushMode(screen);
    screen->KeyDown(platform::VK_ESCAPE);  // the hot key of "Back to the map"
    EXPECT_EQ(CurrentMode(), &MainMode) << screen->ModeName;
    EXPECT_EQ(ModeStackDepth(), 1);
    EXPECT_EQ(std::memcmp(before.get(), &Island, sizeof(TIsland)), 0) << screen->ModeName;
  }
}

// Guards the name entry: a first place moves the table down and drops the
// old tenth; the name typed last is offered again and the first Backspace
// clears it; a tenth place replaces only the last entry; Esc enters as Enter
// does; no 17th character; an empty name stays empty; every entry saved.
TEST_F(EndScreenTest, NamesEnterTheTableAtTheirPlaces) {
  const TScoreEntry oldSecond = Entry(1), oldNinth = Entry(9);
  RecordScreen(39);
  ASSERT_EQ(NewRecordPlace, 1);
  EXPECT_EQ(NewRecordScreen.textFields[1].text, "Ranger");
  CurrentMode()->KeyDown(platform::VK_BACK);
  Type("Ada Vell");
  CurrentMode()->KeyDown(platform::VK_RETURN);
  EXPECT_EQ(CurrentMode(), &ScoresScreen);
  EXPECT_EQ(EntryName(Entry(1)), "Ada Vell");
  EXPECT_EQ(Entry(1).seconds, 39);
  EXPECT_EQ(std::memcmp(&Entry(2), &oldSecond, sizeof(TScoreEntry)), 0);
  EXPECT_EQ(std::memcmp(&Entry(10), &oldNinth, sizeof(TScoreEntry)), 0);

  SwitchMode(&MainMode);
  RecordScreen(199);
  ASSERT_EQ(NewRecordPlace, 10);
  Type("x");  // appends to the name offered
  EXPECT_EQ(NewRecordScreen.textFields[1].text, "Ada Vellx");
  CurrentMode()->KeyDown(platform::VK_BACK);
  EXPECT_EQ(NewRecordScreen.textFields[1].text, "Ada Vell");
  const TScoreEntry ninth = Entry(9);
  CurrentMode()->KeyDown(platform::VK_ESCAPE);
  EXPECT_EQ(CurrentMode(), &ScoresScreen);
  EXPECT_EQ(EntryName(Entry(10)), "Ada Vell");
  EXPECT_EQ(Entry(10).seconds, 199);
  EXPECT_EQ(std::memcmp(&Entry(9), &ninth, sizeof(TScoreEntry)), 0);

  SwitchMode(&MainMode);
  RecordScreen(41);
  CurrentMode()->KeyDown(platform::VK_BACK);
  Type("abcdefghijklmnopqrstu");
  EXPECT_EQ(NewRecordScreen.textFields[1].text, "abcdefghijklmnop");
  CurrentMode()->KeyDown(platform::VK_RETURN);
  EXPECT_EQ(EntryName(Entry(3)), "abcdefghijklmnop");

  SwitchMode(&MainMode);
  RecordScreen(2);
  CurrentMode()->KeyDown(platform::VK_BACK);
  CurrentMode()->KeyDown(platform::VK_RETURN);
  EXPECT_EQ(Entry(1).nameLength, 0);
  EXPECT_EQ(Entry(1).seconds, 2);

  const std::vector<uint8_t> file = FileBytes(Folder() / kScoresFile);
  ASSERT_EQ(file.size(), sizeof(TScoreTable));
  EXPECT_EQ(std::memcmp(file.data(), ScoreTable, sizeof(TScoreTable)), 0);
}

// The pixels of a row band of the screen that have the given value.
int PixelsInRow(const Surface& surface, int place, Pixel value) {
  int count = 0;
  const int top = 150 + kRowHeight * place;
  for (int y = top; y < top + kRowHeight; ++y) {
    for (int x = 270; x < 560; ++x) count += surface.PixelAt(x, y) == value;
  }
  return count;
}

// Guards the highlight of a new record: its row in red and no other, and the
// tick mark's bright and pale strokes before it.
TEST_F(EndScreenTest, NewRecordRowIsHighlightedWithATickMark) {
  RecordScreen(120);
  ASSERT_EQ(NewRecordPlace, 6);
  CurrentMode()->KeyDown(platform::VK_RETURN);
  ASSERT_EQ(CurrentMode(), &ScoresScreen);
  const Pixel red = PackColour(255, 0, 0);
  for (int place = 1; place <= 10; ++place) {
    if (place == 6) {
      EXPECT_GT(PixelsInRow(*PrimarySurface, place, red), 20);
    } else {
      EXPECT_EQ(PixelsInRow(*PrimarySurface, place, red), 0) << place;
    }
  }
  const int k = kRowHeight * 6;
  EXPECT_EQ(PrimarySurface->PixelAt(253, k + 156), PackColour(255, 100, 100));
  EXPECT_EQ(PrimarySurface->PixelAt(254, k + 156), PackColour(190, 150, 150));
  EXPECT_EQ(PrimarySurface->PixelAt(264, k + 150), PackColour(255, 100, 100));
}

// Draws one row as the scores screen should: the name at 275, the time
// centred on 490, in the colours of a row that is not highlighted.
void DrawExpectedRow(Surface& target, int place, const char* name, const char* seconds) {
  TextColour1 = PackColour(0, 0, 180);
  TextColour2 = PackColour(255, 255, 0);
  DrawTextOnSurface(target, 275, 150 + kRowHeight * place, false, name, 2);
  DrawTextOnSurface(target, 490, 150 + kRowHeight * place, true, seconds, 2);
}

// Guards the default tables as drawn (times scaled for type 4, names at
// their columns) and the title, which only types above 1 show.
TEST_F(EndScreenTest, DefaultTablesAsDrawn) {
  ScoresScreen.Load();
  ScoresScreen.DrawBackground();
  struct Case {
    int mapType;
    const char* first;
    const char* last;
  };
  for (const Case& table : {Case{1, "40", "250"}, Case{4, "80", "500"}}) {
    CurrentMapType = static_cast<uint8_t>(table.mapType);
    ScoresScreen.Draw();
    SurfaceRef expected = CreateOffscreen(800, 600);
    CopySurface(*expected, 0, 0, *BackgroundBuffer, kCopyWait);
    DrawExpectedRow(*expected, 1, "Tavik", table.first);
    DrawExpectedRow(*expected, 10, "Quillon", table.last);
    for (int place : {1, 10}) {
      const int top = 150 + kRowHeight * place;
      EXPECT_EQ(ChangedPixels(*BackBuffer, *expected, top, top + kRowHeight - 1).bottom, -1)
          << "type " << table.mapType << " place " << place;
    }
    const Changed title = ChangedPixels(*BackBuffer, *BackgroundBuffer, 0, 60);
    EXPECT_EQ(title.bottom != -1, table.mapType > 1) << table.mapType;
  }
  EXPECT_FALSE(std::filesystem::exists(Folder() / kScoresFile));
}

// Guards Reset: the 1400-byte file with only the block of the map type in
// play restored, and Back: the time on the screen left out of the clock.
TEST_F(EndScreenTest, ResetRestoresOneBlockAndBackResumesTheClock) {
  std::vector<uint8_t> pattern(sizeof(TScoreTable));
  for (size_t i = 0; i < pattern.size(); ++i) pattern[i] = static_cast<uint8_t>(i % 251);
  std::ofstream(Folder() / kScoresFile, std::ios::binary)
      .write(reinterpret_cast<const char*>(pattern.data()), static_cast<std::streamsize>(pattern.size()));
  LoadScores();
  NewRecordPlace = 4;
  CurrentMapType = 3;
  Island.active = 1;
  StartTick = static_cast<int32_t>(platform::GetTickCount() - 2500);
  ScoresPauseTick = platform::GetTickCount();
  PushMode(&ScoresScreen);
  ScoresScreen.ButtonPressed(1);
  EXPECT_EQ(NewRecordPlace, 0);
  const std::vector<uint8_t> file = FileBytes(Folder() / kScoresFile);
  ASSERT_EQ(file.size(), sizeof(TScoreTable));
  const size_t block = sizeof(TScoreTable) / kScoreBlocks;
  for (size_t i = 0; i < file.size(); ++i) {
    if (i < 2 * block || i >= 3 * block) {
      ASSERT_EQ(file[i], pattern[i]) << i;
    }
  }
  const int32_t restored[] = {60, 75, 90, 112, 150, 187, 225, 262, 300, 375};
  for (int place = 1; place <= 10; ++place) EXPECT_EQ(ScoreTable[2][place - 1].seconds, restored[place - 1]);

  g_ticks += 300000;  // five minutes on the scores screen
  ScoresScreen.KeyDown(platform::VK_ESCAPE);  // Back's hot key
  EXPECT_EQ(CurrentMode(), &MainMode);
  EXPECT_LT(ElapsedSeconds(), 30);
}

}  // namespace
