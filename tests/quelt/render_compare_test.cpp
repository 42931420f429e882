// Agreement with a reference player: songs the tests write render to the
// same length (within 1 %) and with the same loudness over time (RMS per
// 50 ms correlating at 0.9 or better) as openmpt123 renders them.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "temp_files.h"
#include "module_builders.h"
#include "render.h"
#include "render_songs.h"
#include "render_support.h"

namespace {

struct Song {
  const char* name;
  std::function<std::vector<uint8_t>()> build;
};

class RenderCompare : public ::testing::TestWithParam<Song> {};

// Guards against tempo, speed, pattern-flow or pitch faults that make the
// song longer or shorter, and against volume or note faults that change how
// loud it is where.
TEST_P(RenderCompare, LengthAndLoudnessMatchTheReferencePlayer) {
  if (!render_support::HaveReferencePlayer()) GTEST_SKIP() << "openmpt123 is not installed";
  const Song& song = GetParam();
  const std::string module = WriteTempFile(std::string("compare_") + song.name, song.build());
  const std::string referenceFile = module + ".reference.wav";

  const RenderResult ours = RenderModuleFile(module, RenderOptions());
  ASSERT_TRUE(ours.ok) << ours.error;
  EXPECT_EQ(ours.end, RenderEnd::SongEnded);
  ASSERT_TRUE(render_support::ReferenceRender(module, referenceFile));
  WaveData reference;
  ASSERT_TRUE(ReadWaveFile(referenceFile, reference));
  ASSERT_EQ(reference.rate, 44100u);
  ASSERT_EQ(reference.bits, 16u);

  const double ourSeconds = ours.frames / 44100.0;
  // The reference player's rendering carries a short tail; its reported
  // length is the song's.
  const double referenceSeconds = render_support::ReferenceDuration(module);
  EXPECT_NEAR(ourSeconds, referenceSeconds, referenceSeconds * 0.01);

  WaveData mine{44100, 2, 16, ours.pcm};
  const double correlation = render_support::Correlation(render_support::LoudnessEnvelope(mine, 2205),
                                                         render_support::LoudnessEnvelope(reference, 2205));
  EXPECT_GE(correlation, 0.9) << song.name << ": " << ourSeconds << " s against " << referenceSeconds << " s";
  std::remove(referenceFile.c_str());
}

INSTANTIATE_TEST_SUITE_P(Songs, RenderCompare,
                         ::testing::Values(Song{"xm", render_songs::XmSong}, Song{"mod", render_songs::ModSong},
                                           Song{"s3m", render_songs::S3mSong}),
                         [](const ::testing::TestParamInfo<Song>& info) { return std::string(info.param.name); });

}  // namespace
