// The game's music rendered by quelt-render (the library's own mixing, with
// the game's mixer settings) and by the reference player openmpt123: same
// length, same loudness over time, no clipping at the game's music volume,
// and a loop back to the restart position that is not heard.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "render_support.h"
#include "tools/music/composition.h"
#include "tools/xmwriter/songlength.h"
#include "tools/xmwriter/xmwriter.h"

namespace {

constexpr unsigned kRate = 44100;
constexpr unsigned kWindowFrames = kRate / 20;  // 50 ms
// The music volume the game settles at (it ramps from 128 to 101, and to
// 98 after a duck); the mixer's other settings are its defaults.
constexpr unsigned char kGameMusicVolume = 101;

double ClippedShare(const std::vector<uint8_t>& pcm) {
  size_t clipped = 0, count = pcm.size() / 2;
  for (size_t i = 0; i < count; ++i) {
    auto value = static_cast<int16_t>(pcm[2 * i] | pcm[2 * i + 1] << 8);
    clipped += value == 32767 || value == -32768;
  }
  return count ? static_cast<double>(clipped) / count : 0;
}

class MusicRender : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    module_ = new xm::Module(music::ComposeDusk());
    // ctest runs each test in a process of its own, side by side.
    const std::string name = "tervane_music_render_" + std::to_string(getpid()) + ".xm";
    path_ = new std::string((std::filesystem::temp_directory_path() / name).string());
    const std::vector<uint8_t> bytes = xm::WriteModule(*module_);
    std::ofstream(*path_, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                  static_cast<std::streamsize>(bytes.size()));
  }
  static void TearDownTestSuite() {
    std::remove(path_->c_str());
    delete module_;
    delete path_;
  }
  // Renders the module with quelt-render at a music volume (and, for
  // loopSeconds > 0, that long, continuing at the restart position).
  static WaveData Render(unsigned char volume, double loopSeconds = 0) {
    const std::string output = *path_ + ".wav";
    std::string options = " --volume " + std::to_string(volume);
    if (loopSeconds > 0) options += " --loop --seconds " + std::to_string(loopSeconds);
    WaveData wave;
    EXPECT_EQ(render_support::Run(std::string(QUELT_RENDER_PROGRAM) + options + " '" + *path_ + "' '" + output +
                                  "' > /dev/null"),
              0);
    EXPECT_TRUE(ReadWaveFile(output, wave));
    std::remove(output.c_str());
    EXPECT_EQ(wave.rate, kRate);
    EXPECT_EQ(wave.channels, 2u);
    EXPECT_EQ(wave.bits, 16u);
    return wave;
  }
  static xm::Module* module_;
  static std::string* path_;
};
xm::Module* MusicRender::module_ = nullptr;
std::string* MusicRender::path_ = nullptr;

TEST_F(MusicRender, MatchesTheReferencePlayerInLengthAndLoudness) {
  // Guards against the library playing the piece at another pace, with
  // sections or voices louder or softer, or stopping at another place than
  // an independent player does.
  if (!render_support::HaveReferencePlayer()) GTEST_SKIP() << "openmpt123 is not installed";
  const WaveData ours = Render(kGameMusicVolume);
  const std::string referenceFile = *path_ + ".reference.wav";
  ASSERT_TRUE(render_support::ReferenceRender(*path_, referenceFile));
  WaveData reference;
  ASSERT_TRUE(ReadWaveFile(referenceFile, reference));
  std::remove(referenceFile.c_str());

  const double ourSeconds = static_cast<double>(ours.bytes.size() / 4) / kRate;
  const double referenceSeconds = render_support::ReferenceDuration(*path_);
  const double composedSeconds = xm::MeasureSong(*module_).seconds;
  EXPECT_NEAR(ourSeconds, referenceSeconds, referenceSeconds * 0.01);
  EXPECT_NEAR(ourSeconds, composedSeconds, composedSeconds * 0.01);

  const double correlation = render_support::Correlation(render_support::LoudnessEnvelope(ours, kWindowFrames),
                                                         render_support::LoudnessEnvelope(reference, kWindowFrames));
  EXPECT_GE(correlation, 0.9);
  // Neither clips: the reference at its own full gain, ours at the game's
  // music volume and at the mixer's unity volume.
  EXPECT_LE(ClippedShare(reference.bytes), 0.001);
  EXPECT_LE(ClippedShare(ours.bytes), 0.001);
  EXPECT_LE(ClippedShare(Render(128).bytes), 0.001);
}

// The loudness per 100 ms of `seconds` of 16-bit stereo from `frame` on.
std::vector<double> EnvelopeFrom(const std::vector<uint8_t>& pcm, size_t frame, double seconds) {
  const size_t bytes = static_cast<size_t>(seconds * kRate) * 4;
  WaveData slice{kRate, 2, 16, {}};
  if (frame * 4 + bytes <= pcm.size()) slice.bytes.assign(pcm.begin() + frame * 4, pcm.begin() + frame * 4 + bytes);
  return render_support::LoudnessEnvelope(slice, kRate / 10);
}

double Mean(const std::vector<double>& values) {
  double sum = 0;
  for (double value : values) sum += value;
  return values.empty() ? 0 : sum / values.size();
}

TEST_F(MusicRender, LoopsBackToTheRestartPositionWithoutASeam) {
  // Guards against a loop that is heard: a jump in loudness where the song
  // goes back, or a restart that sounds unlike the first time the song got
  // there (a left-over tempo, volume or voice).
  const xm::SongTiming timing = xm::MeasureSong(*module_);
  const double span = 10.0;
  const size_t loop = Render(kGameMusicVolume).bytes.size() / 4;
  const auto first = static_cast<size_t>(timing.restartSeconds * kRate + 0.5);
  const std::vector<uint8_t> looped = Render(kGameMusicVolume, timing.seconds + span + 1).bytes;
  const std::vector<double> afterLoop = EnvelopeFrom(looped, loop, span);
  const std::vector<double> firstTime = EnvelopeFrom(looped, first, span);
  ASSERT_EQ(afterLoop.size(), 100u);
  EXPECT_GE(render_support::Correlation(afterLoop, firstTime), 0.9);
  EXPECT_LT(std::fabs(20 * std::log10(Mean(afterLoop) / Mean(firstTime))), 1.0);
  const double before = Mean(EnvelopeFrom(looped, loop - kRate, 1.0));
  const double after = Mean(EnvelopeFrom(looped, loop, 1.0));
  EXPECT_LT(std::fabs(20 * std::log10(after / before)), 3.0) << before << " then " << after;
}

}  // namespace
