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

#include "render.h"
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

INSTANTIATE_TEST_SUITE_P(Packages, DebianModules,
                         ::testing::Values(Collection{"mod", "/usr/share/games/tecnoballz/musics", ".mod"},
                                           Collection{"s3m", "/usr/share/games/gl-117/music", ".s3m"},
                                           Collection{"xm", "/usr/share/games/flobopuyo/sfx", ".xm"}),
                         [](const ::testing::TestParamInfo<Collection>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
