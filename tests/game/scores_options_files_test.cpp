#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstddef>
#include <cstring>
#include <filesystem>
#include <vector>

#include "game/island.h"
#include "game/options_file.h"
#include "game/scores_file.h"
#include "platform/files.h"
#include "support/program_stops.h"
#include "support/scratch_folder.h"

namespace {

using testing_support::StopKind;
using testing_support::StopOf;

// Each test runs in an empty program directory.
class GameFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    std::memset(ScoreTable, 0, sizeof ScoreTable);
    GameOptions = {};
  }

  static std::vector<int32_t> Seconds(int mapType) {
    std::vector<int32_t> result;
    for (const TScoreEntry& entry : ScoreTable[mapType - 1]) result.push_back(entry.seconds);
    return result;
  }

 private:
  testing_support::ScratchFolder folder_;
};

}  // namespace

// Guards against a moved field of the score entry or a table of the wrong
// shape, both read byte for byte from "Tervane.top".
TEST(ScoreRecords, EntryLayout) {
  EXPECT_EQ(offsetof(TScoreEntry, nameLength), 0u);
  EXPECT_EQ(offsetof(TScoreEntry, name), 1u);
  EXPECT_EQ(offsetof(TScoreEntry, seconds), 24u);
  EXPECT_EQ(reinterpret_cast<const uint8_t*>(&ScoreTable[2][3]) -
                reinterpret_cast<const uint8_t*>(&ScoreTable[0][0]),
            2 * 280 + 3 * 28);
  EXPECT_EQ(offsetof(TGameOptions, musicOn), 0u);
  EXPECT_EQ(offsetof(TGameOptions, soundOn), 1u);
  EXPECT_EQ(offsetof(TGameOptions, radiationFatal), 2u);
  EXPECT_EQ(offsetof(TGameOptions, mapType), 3u);
}

// Guards against wrong defaults or scaling, and against a file being
// written before the first save.
TEST_F(GameFiles, DefaultsWithoutFile) {
  LoadScores();
  EXPECT_EQ(EntryName(ScoreTable[3][0]), "Tavik");
  EXPECT_EQ(EntryName(ScoreTable[3][9]), "Quillon");
  EXPECT_EQ(Seconds(1), (std::vector<int32_t>{40, 50, 60, 75, 100, 125, 150, 175, 200, 250}));
  EXPECT_EQ(Seconds(3), (std::vector<int32_t>{60, 75, 90, 112, 150, 187, 225, 262, 300, 375}));
  EXPECT_EQ(Seconds(4), (std::vector<int32_t>{80, 100, 120, 150, 200, 250, 300, 350, 400, 500}));
  EXPECT_EQ(Seconds(5), Seconds(1));
  EXPECT_FALSE(platform::FileExists(kScoresFile));
  EXPECT_EQ(ScoreTable[0][2].name[9], 0);  // names are zero-padded
}

// Guards against an equal time beating an entry, or a better time missing
// its place.
TEST_F(GameFiles, RecordPlaces) {
  LoadScores();
  EXPECT_EQ(FindRecordPlace(1, 40), 2);
  EXPECT_EQ(FindRecordPlace(1, 39), 1);
  EXPECT_EQ(FindRecordPlace(1, 250), 0);
  EXPECT_EQ(FindRecordPlace(1, 249), 10);
  EXPECT_EQ(FindRecordPlace(0, 1), 0);
  EXPECT_EQ(FindRecordPlace(6, 1), 0);
}

// Guards against insertion moving the wrong entries, keeping a too-long
// name, or not saving the whole table.
TEST_F(GameFiles, InsertionShiftsAndSaves) {
  LoadScores();
  InsertScore(2, 1, "Ranger", 12);
  EXPECT_EQ(Seconds(2), (std::vector<int32_t>{12, 40, 50, 60, 75, 100, 125, 150, 175, 200}));
  EXPECT_EQ(EntryName(ScoreTable[1][0]), "Ranger");
  EXPECT_EQ(EntryName(ScoreTable[1][1]), "Tavik");
  InsertScore(2, 10, "abcdefghijklmnopqrstuvwxy", 199);
  EXPECT_EQ(+ScoreTable[1][9].seconds, 199);
  EXPECT_EQ(EntryName(ScoreTable[1][9]), "abcdefghijklmnopqrst");
  EXPECT_EQ(EntryName(ScoreTable[1][8]), "Dunmere");
  EXPECT_EQ(Seconds(1)[0], 40);

  std::vector<uint8_t> file = platform::ReadWholeFile(kScoresFile);
  ASSERT_EQ(file.size(), 1400u);
  EXPECT_EQ(std::memcmp(file.data(), ScoreTable, 1400), 0);
  InsertScore(2, 11, "x", 1);  // no such place: nothing changes
  EXPECT_EQ(+ScoreTable[1][9].seconds, 199);
}

// Guards against a reset touching other blocks or not writing the file, and
// against a reload not reading back what was saved.
TEST_F(GameFiles, ResetAndReload) {
  LoadScores();
  InsertScore(3, 1, "A", 1);
  InsertScore(1, 1, "B", 2);
  ResetScores(3);
  EXPECT_EQ(Seconds(3), (std::vector<int32_t>{60, 75, 90, 112, 150, 187, 225, 262, 300, 375}));
  EXPECT_EQ(Seconds(1)[0], 2);
  std::memset(ScoreTable, 0, sizeof ScoreTable);
  LoadScores();
  EXPECT_EQ(Seconds(1)[0], 2);
  EXPECT_EQ(EntryName(ScoreTable[0][0]), "B");
}

// Guards against a damaged length byte reading past the name, and a short
// file disturbing the entries it does not cover.
TEST_F(GameFiles, DamagedScoresFile) {
  std::vector<uint8_t> bytes(40, 'z');
  bytes[0] = 200;
  platform::WriteWholeFile(kScoresFile, bytes.data(), bytes.size());
  LoadScores();
  EXPECT_EQ(EntryName(ScoreTable[0][0]), std::string(23, 'z'));
  EXPECT_EQ(+ScoreTable[0][2].seconds, 0);
  EXPECT_EQ(FindRecordPlace(1, 5), 1);
  EXPECT_EQ(FindRecordPlace(1, 0x7a7a7a7a), 0);  // place 2 holds 0 seconds
}

// Guards against wrong option defaults, a file of other than 4 bytes, and a
// damaged map type reaching the per-type tables.
TEST_F(GameFiles, OptionsFile) {
  LoadOptions();
  EXPECT_EQ(GameOptions.musicOn, 1);
  EXPECT_EQ(GameOptions.soundOn, 1);
  EXPECT_EQ(GameOptions.radiationFatal, 1);
  EXPECT_EQ(GameOptions.mapType, 1);
  EXPECT_FALSE(platform::FileExists(kOptionsFile));
  SaveOptions();
  EXPECT_EQ(platform::ReadWholeFile(kOptionsFile), (std::vector<uint8_t>{1, 1, 1, 1}));

  std::vector<uint8_t> longer = {0, 1, 0, 3, 9, 9};
  platform::WriteWholeFile(kOptionsFile, longer.data(), longer.size());
  LoadOptions();
  EXPECT_EQ(GameOptions.soundOn, 1);
  EXPECT_EQ(GameOptions.radiationFatal, 0);
  EXPECT_EQ(CurrentMapType, 3);
  GameOptions.mapType = 4;
  SaveOptions();
  EXPECT_EQ(platform::ReadWholeFile(kOptionsFile), (std::vector<uint8_t>{0, 1, 0, 4}));

  std::vector<uint8_t> damaged = {1, 1, 1, 77};
  platform::WriteWholeFile(kOptionsFile, damaged.data(), damaged.size());
  LoadOptions();
  EXPECT_EQ(GameOptions.mapType, 1);
  EXPECT_EQ(CurrentMapType, 1);

  std::vector<uint8_t> shortFile = {1, 1};
  platform::WriteWholeFile(kOptionsFile, shortFile.data(), shortFile.size());
  EXPECT_EQ(StopOf(LoadOptions).kind, StopKind::kRuntimeError);
}

namespace {

// Runs a save in a child process whose files cannot grow past `limit`
// bytes, as on a full disk; returns its exit status.
int SaveWithFileSizeLimit(void (*save)(), rlim_t limit) {
  pid_t child = fork();
  if (child == 0) {
    signal(SIGXFSZ, SIG_IGN);
    rlimit size{limit, limit};
    setrlimit(RLIMIT_FSIZE, &size);
    platform::SetRuntimeErrorHandler(nullptr);
    save();
    _exit(0);
  }
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

// Guards against a save that fails halfway (a full disk) leaving a shorter
// or mixed "Tervane.top" or "Tervane.opt" behind: the failure is the
// run-time write error, the old file stays as it was and no temporary file
// is left.
TEST_F(GameFiles, FailedSaveKeepsTheOldFile) {
  LoadScores();
  SaveScores();
  GameOptions = {1, 0, 1, 2};
  SaveOptions();
  const std::vector<uint8_t> scores = platform::ReadWholeFile(kScoresFile);
  const std::vector<uint8_t> options = platform::ReadWholeFile(kOptionsFile);
  ASSERT_EQ(scores.size(), sizeof(TScoreTable));

  auto newRecord = [] { InsertScore(1, 1, "Newcomer", 3); };
  EXPECT_EQ(SaveWithFileSizeLimit(newRecord, sizeof(TScoreTable) / 2), platform::kDiskWriteError);
  auto otherMap = [] {
    GameOptions.mapType = 4;
    SaveOptions();
  };
  EXPECT_EQ(SaveWithFileSizeLimit(otherMap, 2), platform::kDiskWriteError);

  EXPECT_EQ(platform::ReadWholeFile(kScoresFile), scores);
  EXPECT_EQ(platform::ReadWholeFile(kOptionsFile), options);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator("."), std::filesystem::directory_iterator()), 2);

  // Without the limit the same save goes through whole.
  EXPECT_EQ(SaveWithFileSizeLimit(newRecord, RLIM_INFINITY), 0);
  LoadScores();
  EXPECT_EQ(EntryName(ScoreTable[0][0]), "Newcomer");
  EXPECT_EQ(platform::ReadWholeFile(kScoresFile).size(), sizeof(TScoreTable));
}
