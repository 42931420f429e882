// The real game heard in a real window: played under Xvfb with SDL's disk
// audio driver by tests/e2e/drive_game_sound.sh (the splash, a cell, cells
// until the map is lost, the close box), and the capture measured. Built
// where the build makes the program directory's content.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "support/run_command.h"
#include "support/scratch_folder.h"
#include "tests/sound/capture.h"

#ifdef TERVANE_REAL_GAME_SOUND

namespace {

using namespace sound_testing;

// The driver's status when no X server can start here.
constexpr int kNoXServer = 77;

std::map<std::string, long> ReadMarks(const std::filesystem::path& file) {
  std::map<std::string, long> marks;
  std::ifstream in(file);
  std::string name;
  long value;
  while (in >> name >> value) marks.emplace(name, value);  // the first of each name
  return marks;
}

TEST(RealWindowTest, TheGameIsHeardDucksUnderALossAndEndsAtOnce) {
  // Guards against a game that starts no sound from its splash, cells that
  // open in silence, a loss whose duck never reaches the music or never
  // ends, and a close box that leaves the game running, hangs in its sound
  // shutdown or reports an error.
  testing_support::ScratchFolder scratch;
  const testing_support::CommandRun run = testing_support::RunCommand(
      std::string(TERVANE_SOURCE_DIR) + "/tests/e2e/drive_game_sound.sh '" + TERVANE_GAME_DIR + "' '" +
      scratch.Path().string() + "' 2>&1");
  // The one skip the test command expects (scripts/test.sh).
  if (run.status == kNoXServer) GTEST_SKIP() << "no X server could start here";
  ASSERT_EQ(run.status, 0) << run.output;
  std::map<std::string, long> marks = ReadMarks(scratch.Path() / "marks");
  const Capture capture = ReadCapture((scratch.Path() / "capture.raw").string());
  ASSERT_GT(capture.FrameCount(), size_t(marks["after8.0"])) << run.output;

  const double music = capture.Level(marks["music"], marks["click"]);
  const double click = capture.LoudestWindow(marks["click"], marks["click"] + Frames(0.6), 0.02);
  const double before = capture.Level(marks["lost"] - Frames(1.0), marks["lost"], Part::kDifference);
  const double afterOneSecond = capture.Level(marks["after1.0"], marks["after2.0"], Part::kDifference);
  const double ducked = capture.Level(marks["after2.0"], marks["after5.5"], Part::kDifference);
  const double back = capture.Level(marks["after7.2"], marks["after8.0"], Part::kDifference);
  std::printf("real game: music %.1f dBFS, the loudest 20 ms of a cell's click %.1f; music alone before the loss "
              "%.1f, 1 s after it %.1f, ducked %.1f, back %.1f; the close box ended the game in %ld ms (looked at every 5 ms)\n",
              music, click, before, afterOneSecond, ducked, back, marks["exit_ms"]);

  EXPECT_GT(music, -40.0);
  EXPECT_GT(click, music + 6.0);
  // The song is at another place in every run, and its own loudness moves
  // by a few dB: the depth of the duck is measured to the dB by the capture
  // test, which plays the same moments every time; here it must be there.
  EXPECT_LT(afterOneSecond, before - 6.0);
  EXPECT_LT(ducked, before - 6.0);
  EXPECT_GT(back, ducked + 6.0);
  EXPECT_EQ(marks["status"], 0) << run.output;
  EXPECT_EQ(marks.count("error_report"), 0u) << run.output;
  EXPECT_EQ(marks.count("still_running"), 0u) << run.output;
}

}  // namespace

#endif
