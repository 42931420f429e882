// A whole game of the real program in a real window, played with X input.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "game/options_file.h"
#include "game/scores_file.h"
#include "screens/screen_fixture.h"
#include "support/run_command.h"

namespace fs = std::filesystem;

namespace {

using screens_testing::FileBytes;

// play_game.sh's status when no X server can start here.
constexpr int kNoXServer = 77;
// The seed the game and the planner start from.
constexpr char kSeed[] = "20261208";
constexpr int kPenaltySeconds = 30;

// The entries of one map type's block of a best-scores file.
std::vector<TScoreEntry> Block(const std::vector<uint8_t>& file, int mapType) {
  std::vector<TScoreEntry> entries(kScorePlaces);
  std::memcpy(entries.data(), file.data() + (mapType - 1) * sizeof(TScoreEntry) * kScorePlaces,
              sizeof(TScoreEntry) * kScorePlaces);
  return entries;
}

bool Same(const TScoreEntry& a, const TScoreEntry& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// The times the plan marked, by name.
std::map<std::string, double> Marks(const fs::path& file) {
  std::map<std::string, double> marks;
  std::ifstream in(file);
  std::string name;
  double seconds = 0;
  while (in >> name >> seconds) marks[name] = seconds;
  return marks;
}

// The pixels of a screenshot (1024 x 768) that are plainly red, in a band of
// rows of the game's 800 x 600 picture.
int RedPixels(const std::vector<uint8_t>& rgb, int top, int bottom) {
  int count = 0;
  for (int y = top * 768 / 600; y < bottom * 768 / 600; ++y) {
    for (int x = 270 * 1024 / 800; x < 560 * 1024 / 800; ++x) {
      const uint8_t* pixel = &rgb[(static_cast<size_t>(y) * 1024 + x) * 3];
      count += pixel[0] > 200 && pixel[1] < 60 && pixel[2] < 60;
    }
  }
  return count;
}

// Guards the whole game as a player meets it: the splash, a map of every
// type won, a loss with radiated areas fatal, the options changed to the
// penalty, which then costs 30 seconds, a record under a typed name
// highlighted on the scores screen, the map type changed, the exit button;
// and the files the game leaves: the options and best scores byte for byte,
// no error report.
TEST(RealWindowTest, WholeGamePlayedWithRealInput) {
  ASSERT_TRUE(fs::exists(fs::path(TERVANE_GAME_DIR) / "tervane")) << "the program is not built";
  // The run stays in the build tree for a look at its screenshots.
  const fs::path work = fs::path(TERVANE_BINARY_DIR) / "tests" / "whole-game";
  const testing_support::CommandRun run = testing_support::RunCommand(
      std::string(TERVANE_SOURCE_DIR) + "/tests/e2e/play_game.sh '" + TERVANE_GAME_DIR + "' '" + TERVANE_PLAY_PLAN +
      "' '" + work.string() + "' " + kSeed + " 2>&1");
  // The one skip the test command expects (scripts/test.sh).
  if (run.status == kNoXServer) GTEST_SKIP() << "no X server could start here";
  ASSERT_EQ(run.status, 0) << run.output;
  ASSERT_NE(run.output.find("game ended with status 0"), std::string::npos) << run.output;

  const fs::path game = work / "game";
  EXPECT_FALSE(fs::exists(game / "Error.rep"));
  EXPECT_EQ(FileBytes(game / kOptionsFile), (std::vector<uint8_t>{1, 1, 0, 4}));

  const std::vector<uint8_t> before = FileBytes(work / "Tervane.top.before");
  const std::vector<uint8_t> after = FileBytes(game / kScoresFile);
  ASSERT_EQ(before.size(), sizeof(TScoreTable));
  ASSERT_EQ(after.size(), sizeof(TScoreTable));
  // Only the block of map type 2 changed: the record entered at its place.
  for (int mapType : {1, 3, 4, 5}) {
    const auto old = Block(before, mapType), now = Block(after, mapType);
    for (int i = 0; i < kScorePlaces; ++i) EXPECT_TRUE(Same(old[i], now[i])) << mapType << " " << i;
  }
  const auto old = Block(before, 2), now = Block(after, 2);
  int place = 0;
  for (int i = 0; i < kScorePlaces && place == 0; ++i) {
    if (EntryName(now[i]) == "Ada Vell") place = i + 1;
  }
  ASSERT_NE(place, 0) << "the record is not in the table";
  for (int i = 0; i < kScorePlaces; ++i) {
    if (i < place - 1) {
      EXPECT_TRUE(Same(old[i], now[i])) << i;
    } else if (i >= place) {
      EXPECT_TRUE(Same(old[i - 1], now[i])) << i;
    }
  }
  const TScoreEntry& record = now[place - 1];
  EXPECT_EQ(record.nameLength, 8);
  EXPECT_EQ(std::string(record.name + 8, record.name + kScoreNameCapacity), std::string(15, '\0'));
  const std::map<std::string, double> marks = Marks(work / "marks");
  const double played = marks.at("record-end") - marks.at("record-start");
  EXPECT_GT(record.seconds, kPenaltySeconds);
  EXPECT_LE(record.seconds, kPenaltySeconds + static_cast<int>(played) + 2);

  // The scores screen marks the record's row in red, and no other.
  const testing_support::CommandRun scores =
      testing_support::RunCommand("convert '" + (work / "shots" / "scores.png").string() + "' -depth 8 rgb:-");
  const std::vector<uint8_t> rgb(scores.output.begin(), scores.output.end());
  ASSERT_EQ(rgb.size(), 1024u * 768u * 3u);
  for (int row = 1; row <= kScorePlaces; ++row) {
    const int top = 150 + 30 * row + 2;
    const int red = RedPixels(rgb, top, top + 24);
    if (row == place) {
      EXPECT_GT(red, 20) << "row " << row;
    } else {
      EXPECT_EQ(red, 0) << "row " << row;
    }
  }
}

}  // namespace
