// Real-world modules from Debian's game packages (MOD from tecnoballz-data,
// S3M from gl-117-data, XM from flobopuyo; installed by scripts/setup.sh
// test, never part of the repository) load and play to their end through the
// library; where the reference player finds a single song, the lengths agree
// within 2 % (this player's pattern delay repeats a row one time fewer than
// the reference player's, which shortens songs that use it by about 1 %).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "loaders/ModuleLoaders.h"
#include "model/Cpattern.h"
#include "model/ModuleEffects.h"
#include "render.h"
#include "temp_files.h"
#include "render_support.h"

namespace {

struct Collection {
  const char* name;
  const char* folder;
  const char* extension;
};

std::vector<std::string> FilesOf(const Collection& collection) {
  std::vector<std::string> files;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(collection.folder, error)) {
    if (entry.path().extension() == collection.extension) files.push_back(entry.path().string());
  }
  std::sort(files.begin(), files.end());
  return files;
}

double Rms(const std::vector<uint8_t>& pcm) {
  double sum = 0;
  for (size_t i = 0; i + 1 < pcm.size(); i += 2) {
    const double value = static_cast<int16_t>(pcm[i] | pcm[i + 1] << 8);
    sum += value * value;
  }
  return pcm.empty() ? 0 : std::sqrt(sum / (pcm.size() / 2));
}

// Whether a module's patterns hold a pattern delay: this player repeats the
// delayed row one time fewer than the reference player (a deliberate
// difference), which makes such songs up to about 2 % shorter.
bool UsesPatternDelay(const std::string& file) {
  ModuleSlot module;
  if (!LoadModuleFile(module, file.c_str(), 0)) return false;
  for (PackedPattern& pattern : module.patterns) {
    StartDecoding(pattern);
    for (uint32_t row = 0; row < pattern.rowCount; ++row) {
      DecodedRow decoded;
      DecodeRow(pattern, decoded);
      for (int i = 0; i < decoded.count; ++i) {
        const PatternCell& cell = decoded.entries[i].cell;
        if (cell.effect == Effect::Special && cell.parameter >> 4 == SpecialEffect::PatternDelay) return true;
      }
    }
  }
  return false;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[values.size() / 2];
}

class DebianModules : public ::testing::TestWithParam<Collection> {};

// Guards against loader or player faults on real files: refusing them,
// crashing, hanging (never reaching the end), playing silence, or running
// at the wrong speed.
TEST_P(DebianModules, EveryModuleLoadsAndPlaysToItsEnd) {
  const std::vector<std::string> files = FilesOf(GetParam());
  if (files.empty()) GTEST_SKIP() << GetParam().folder << " is not installed";
  const bool reference = render_support::HaveReferencePlayer();
  RenderOptions options;
  options.rate = 22050;
  options.stereo = false;
  options.maxSeconds = 1200;
  for (const std::string& file : files) {
    SCOPED_TRACE(file);
    const RenderResult result = RenderModuleFile(file, options);
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_NE(result.end, RenderEnd::TimeLimit);
    EXPECT_GT(result.frames, 5u * options.rate);
    EXPECT_GT(Rms(result.pcm), 100.0);
    if (reference && render_support::ReferenceSubsongs(file) == 1) {
      const double expected = render_support::ReferenceDuration(file);
      EXPECT_NEAR(result.frames / double(options.rate), expected, expected * 0.02);
    }
  }
}

// Guards against real modules sounding other than their composers heard them
// in a general player: each whole module is as long (within 1 %) and its
// loudness rises and falls alike (RMS per 50 ms, correlation). Prints one
// line per module: seconds (ours, the reference's) and the correlation.
TEST_P(DebianModules, EveryModuleMatchesTheReferencePlayer) {
  const std::vector<std::string> files = FilesOf(GetParam());
  if (files.empty()) GTEST_SKIP() << GetParam().folder << " is not installed";
  if (!render_support::HaveReferencePlayer()) GTEST_SKIP() << "openmpt123 is not installed";
  RenderOptions options;
  options.maxSeconds = 1200;
  std::vector<double> correlations;
  for (const std::string& file : files) {
    SCOPED_TRACE(file);
    const RenderResult ours = RenderModuleFile(file, options);
    ASSERT_TRUE(ours.ok) << ours.error;
    const std::string referenceFile = TempPath("reference.wav");
    ASSERT_TRUE(render_support::ReferenceRender(file, referenceFile, 0));  // the song from order 0
    WaveData reference;
    ASSERT_TRUE(ReadWaveFile(referenceFile, reference));
    std::remove(referenceFile.c_str());
    const double seconds = ours.frames / 44100.0;
    const double expected = render_support::ReferenceDuration(file, 0);
    const double correlation = render_support::Correlation(
        render_support::LoudnessEnvelope(WaveData{44100, 2, 16, ours.pcm}, 2205),
        render_support::LoudnessEnvelope(reference, 2205));
    std::printf("| %s | %.2f | %.2f | %+.2f %% | %.3f |\n", std::filesystem::path(file).filename().c_str(),
                seconds, expected, 100 * (seconds - expected) / expected, correlation);
    EXPECT_NEAR(seconds, expected, expected * (UsesPatternDelay(file) ? 0.02 : 0.01));
    EXPECT_GE(correlation, 0.3);
    correlations.push_back(correlation);
  }
  // Most modules rise and fall with the reference nearly exactly; the few
  // below lean on the pan law and tuning rules this player keeps.
  EXPECT_GE(Median(correlations), 0.95);
}

INSTANTIATE_TEST_SUITE_P(Packages, DebianModules,
                         ::testing::Values(Collection{"mod", "/usr/share/games/tecnoballz/musics", ".mod"},
                                           Collection{"s3m", "/usr/share/games/gl-117/music", ".s3m"},
                                           Collection{"xm", "/usr/share/games/flobopuyo/sfx", ".xm"}),
                         [](const ::testing::TestParamInfo<Collection>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
