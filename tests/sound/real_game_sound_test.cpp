// The real game heard in a real window: tests/e2e/drive_game_sound.sh plays
// the first map of a seed under Xvfb with SDL's disk audio driver (the
// splash, a safe cell, a radiated cell that loses the map, the close box),
// and the capture is measured. The music's level is taken against an
// offline render of the same song at the same place, so that the song's own
// rise and fall does not count as a duck. Built where the build makes the
// program directory's content.
#include <gtest/gtest.h>

#include <cmath>
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

// The song as the mixer plays it on its own, long enough to stand beside
// the whole capture (it loops).
Capture RenderSong(const std::filesystem::path& folder, size_t frames) {
  const std::string wave = (folder / "song.wav").string();
  const std::string command = std::string(TERVANE_RENDER_TOOL) + " --loop --seconds " +
                              std::to_string(frames / size_t(kCaptureRate) + 2) + " '" + TERVANE_GAME_DIR +
                              "/music.xm' '" + wave + "' 2>&1";
  const testing_support::CommandRun run = testing_support::RunCommand(command);
  EXPECT_EQ(run.status, 0) << run.output;
  return ReadWaveCapture(wave);
}

// The music in the capture against the song played alone: the capture's
// frames from its first sound on are the song's from its first sound on.
struct MusicAgainstSong {
  const Capture& capture;
  const Capture& song;
  size_t captureStart = capture.FirstSound(0);
  size_t songStart = song.FirstSound(0);

  // How much louder the music of [from, to) is than the song alone at the
  // same place, in dB, on the difference of the channels, where the effects
  // (played at the centre) are not heard.
  double Gain(size_t from, size_t to) const {
    const size_t songFrom = from - captureStart + songStart;
    return capture.Level(from, to, Part::kDifference) - song.Level(songFrom, songFrom + (to - from), Part::kDifference);
  }
  // The most the sound of [from, to) rises above the music alone there
  // (the song at `gain`), over windows of 20 ms.
  double LargestRise(size_t from, size_t to, double gain) const {
    double largest = -200;
    for (size_t at = from; at + Frames(0.02) <= to; at += Frames(0.02)) {
      const size_t songAt = at - captureStart + songStart;
      largest = std::max(largest, capture.Level(at, at + Frames(0.02)) - song.Level(songAt, songAt + Frames(0.02)) - gain);
    }
    return largest;
  }
};

TEST(RealWindowTest, TheGameIsHeardDucksUnderALossAndEndsAtOnce) {
  // Guards against a game that starts no music from its splash, a cell that
  // opens in silence or under the music, a loss whose duck is too shallow,
  // too late or never ends, and a close box that leaves the game running,
  // fails in its sound shutdown or reports an error.
  testing_support::ScratchFolder scratch;
  const testing_support::CommandRun run = testing_support::RunCommand(
      std::string(TERVANE_SOURCE_DIR) + "/tests/e2e/drive_game_sound.sh '" + TERVANE_GAME_DIR + "' '" +
      TERVANE_PLAY_PLAN + "' '" + scratch.Path().string() + "' 2>&1");
  // The one skip the test command expects (scripts/test.sh).
  if (run.status == kNoXServer) GTEST_SKIP() << "no X server could start here";
  ASSERT_EQ(run.status, 0) << run.output;
  std::map<std::string, long> marks = ReadMarks(scratch.Path() / "marks");
  const Capture capture = ReadCapture((scratch.Path() / "capture.raw").string());
  ASSERT_GT(capture.FrameCount(), size_t(marks["after9.5"])) << run.output;
  const Capture song = RenderSong(scratch.Path(), capture.FrameCount());
  const MusicAgainstSong music{capture, song};
  ASSERT_LT(music.captureStart, size_t(marks["click"])) << "no music before the first click\n" << run.output;
  ASSERT_GT(song.FrameCount(), capture.FrameCount() - music.captureStart + music.songStart);

  const double level = capture.Level(music.captureStart + Frames(1.0), marks["click"]);
  const double before = music.Gain(music.captureStart + Frames(1.0), marks["lost"]);
  const double rise = music.LargestRise(marks["click"], marks["click"] + Frames(0.8), before);
  const double afterOneSecond = music.Gain(marks["after1.0"], marks["after2.0"]) - before;
  const double ducked = music.Gain(marks["after2.0"], marks["after5.0"]) - before;
  const double back = music.Gain(marks["after8.5"], marks["after9.5"]) - before;
  std::printf("real game: music %.1f dBFS; the cell's effect %.1f dB above the music; the music against its level "
              "before the loss: %.1f dB from 1 to 2 s after it, %.1f from 2 to 5 s, %.1f from 8.5 to 9.5 s; the "
              "close box ended the game in %.1f ms\n",
              level, rise, afterOneSecond, ducked, back, marks["exit_us"] / 1000.0);

  EXPECT_GT(level, -40.0);
  EXPECT_GT(rise, 6.0);
  EXPECT_LT(afterOneSecond, -10.0);
  EXPECT_LT(ducked, -10.0);
  EXPECT_NEAR(back, 0.0, 1.0);
  EXPECT_EQ(marks.count("still_running"), 0u) << run.output;
  EXPECT_EQ(marks["status"], 0) << run.output;
  EXPECT_EQ(marks.count("error_report"), 0u) << run.output;
}

}  // namespace

#endif
