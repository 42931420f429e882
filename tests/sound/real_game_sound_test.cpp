// The real game heard in a real window: tests/e2e/drive_game_sound.sh plays
// the first map of a seed under Xvfb with SDL's disk audio driver (the
// splash, a safe cell, a radiated cell that loses the map, the close box),
// and the capture is measured. The music's level is taken against an
// offline render of the same song at the same place, so that the song's own
// rise and fall does not count as a duck. Built where the build makes the
// program directory's content.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

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

// The music in the capture against the song played alone. The capture's
// frames from its first sound on are the song's from its first sound on,
// until a busy machine makes the device play stale data or silence between
// two blocks of the mixer: from there the song falls behind. So each half
// second of the capture is matched to the song where the shape of its
// levels fits best, on the difference of the channels, where the effects
// (played at the centre) are not heard.
class MusicAgainstSong {
 public:
  MusicAgainstSong(const Capture& capture, const Capture& song)
      : start_(capture.FirstSound(0)),
        songStart_(song.FirstSound(0)),
        capture_{Levels(capture, start_, Part::kDifference), Levels(capture, start_, Part::kBoth)},
        song_{Levels(song, songStart_, Part::kDifference), Levels(song, songStart_, Part::kBoth)} {}

  size_t Start() const { return start_; }

  // How much louder the music of [from, to) is than the song alone, in dB:
  // the median of its half seconds.
  double Gain(size_t from, size_t to) const {
    std::vector<double> gains;
    for (size_t piece = Step(from); piece + kPiece <= Step(to); piece += kPiece) gains.push_back(Match(piece).gain);
    if (gains.empty()) return 0;
    std::sort(gains.begin(), gains.end());
    const size_t middle = gains.size() / 2;
    return gains.size() % 2 == 1 ? gains[middle] : (gains[middle - 1] + gains[middle]) / 2;
  }
  // How far the sound of the 10 ms at `at` rises above the music alone.
  double Rise(size_t at) const {
    const size_t step = Step(at);
    const PieceMatch match = Match(step > kPiece / 2 ? step - kPiece / 2 : 0);
    return capture_.both[step] - song_.both[step + match.slip] - match.gain;
  }
  // The first frame of [from, to) that rises more than `decibels` above the
  // music alone (in steps of 10 ms), or `to`.
  size_t FirstRise(size_t from, size_t to, double decibels) const {
    for (size_t at = from; at < to; at += kStep) {
      if (Rise(at) > decibels) return at;
    }
    return to;
  }
  double LargestRise(size_t from, size_t to) const {
    double largest = -200;
    for (size_t at = from; at < to; at += kStep) largest = std::max(largest, Rise(at));
    return largest;
  }

 private:
  static constexpr size_t kStep = 441;  // 10 ms
  static constexpr size_t kPiece = 50;  // steps in a half second
  static constexpr int kEarliest = -200, kLatest = 50;  // how far the song may have slipped, in steps
  static constexpr double kSilence = -90;

  struct Envelopes {
    std::vector<double> difference, both;
  };
  struct PieceMatch {
    int slip = 0;
    double gain = 0;
  };

  // The level of every 10 ms from `start` on.
  static std::vector<double> Levels(const Capture& capture, size_t start, Part part) {
    std::vector<double> levels;
    for (size_t at = start; at + kStep <= capture.FrameCount(); at += kStep) {
      levels.push_back(capture.Level(at, at + kStep, part));
    }
    return levels;
  }
  size_t Step(size_t frame) const { return (frame - start_) / kStep; }

  // The song's place for the half second from `piece` on: where the
  // differences of the levels vary least. Silence the device played is
  // left out.
  PieceMatch Match(size_t piece) const {
    const std::vector<double>&capture = capture_.difference, &song = song_.difference;
    double leastSpread = 1e9;
    PieceMatch best;
    for (int slip = kEarliest; slip <= kLatest; ++slip) {
      if (long(piece) + slip < 0 || piece + slip + kPiece > song.size() || piece + kPiece > capture.size()) continue;
      double sum = 0, squares = 0;
      size_t count = 0;
      for (size_t i = piece; i < piece + kPiece; ++i) {
        if (capture[i] < kSilence) continue;
        const double difference = capture[i] - song[i + slip];
        sum += difference;
        squares += difference * difference;
        ++count;
      }
      if (count < kPiece / 2) continue;
      const double mean = sum / count, spread = squares / count - mean * mean;
      if (spread < leastSpread) leastSpread = spread, best = {slip, mean};
    }
    return best;
  }

  size_t start_, songStart_;
  Envelopes capture_, song_;
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
  const size_t click = marks["click"], lost = marks["lost"];
  const Capture capture = ReadCapture((scratch.Path() / "capture.raw").string());
  const Capture song = RenderSong(scratch.Path(), capture.FrameCount());
  const MusicAgainstSong music(capture, song);
  ASSERT_LT(music.Start(), click) << "no music before the first click\n" << run.output;

  // Where the effects are first heard above the music: the duck is timed
  // from the loss's effect, which the game plays in the same moment.
  const size_t cellHeard = music.FirstRise(click, lost, 6.0);
  const size_t lossHeard = music.FirstRise(lost, lost + Frames(3.0), 6.0);
  ASSERT_LT(lossHeard, lost + Frames(3.0)) << "the loss was not heard\n" << run.output;
  ASSERT_GE(capture.FrameCount(), lossHeard + Frames(9.0)) << run.output;
  const double level = capture.Level(music.Start() + Frames(1.0), click);
  const double effect = music.LargestRise(click, lost);
  const double before = music.Gain(music.Start() + Frames(1.0), lost);
  const double afterOneSecond = music.Gain(lossHeard + Frames(1.0), lossHeard + Frames(2.0)) - before;
  const double ducked = music.Gain(lossHeard + Frames(2.0), lossHeard + Frames(5.0)) - before;
  const double back = music.Gain(lossHeard + Frames(8.0), lossHeard + Frames(9.0)) - before;
  std::printf("real game: music %.1f dBFS; the cell's effect rises %.1f dB above the music, heard %.0f ms after "
              "the click began, the loss's effect %.0f ms after; the music against its level before the loss, "
              "from the loss's effect on: %.1f dB from 1 to 2 s, %.1f from 2 to 5 s, %.1f from 8 to 9 s; the "
              "close box ended the game in %.1f ms\n",
              level, effect, (double(cellHeard) - click) * 1000 / kCaptureRate,
              (double(lossHeard) - lost) * 1000 / kCaptureRate, afterOneSecond, ducked, back,
              marks["exit_us"] / 1000.0);

  EXPECT_GT(level, -40.0);
  EXPECT_GT(effect, 6.0);
  EXPECT_LT(afterOneSecond, -10.0);
  EXPECT_LT(ducked, -10.0);
  // Back by most of the duck's depth (to within 2 of the volume it had,
  // the way it climbs); on a busy machine the last steps can come late.
  EXPECT_GT(back, ducked + 8.0);
  EXPECT_EQ(marks.count("still_running"), 0u) << run.output;
  EXPECT_EQ(marks["status"], 0) << run.output;
  EXPECT_EQ(marks.count("error_report"), 0u) << run.output;
}

}  // namespace

#endif
