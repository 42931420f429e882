// Tests of the player on modules that went through the loaders: small XM,
// MOD and S3M files built here, and real tracker music when installed.
#include <dirent.h>

#include <string>

#include "player/ModulePlayerPeriods.h"
#include "loaders/ModuleLoaders.h"
#include "module_builders.h"
#include "player_fixture.h"

using namespace player_test;

namespace {

struct PlayerModules : PlayerFixture {
  bool Load(const std::vector<uint8_t>& bytes) {
    module = ModuleSlot();
    return LoadModuleFromMemory(module, bytes.data(), bytes.size());
  }
};

builders::XmInstrument XmInstrumentWithOneSample() {
  builders::XmInstrument instrument;
  builders::XmSample sample;
  sample.points = {0, 20, 40, 20, 0, -20, -40, -20};
  instrument.samples.push_back(sample);
  return instrument;
}

// Guards against XM effects and volume-column commands reaching the player
// as something else: E6x loops, Fxx sets the speed, 0x6x slides down.
TEST_F(PlayerModules, XmEffectsPlayAsWritten) {
  builders::XmModule xm;
  xm.channels = 2;
  xm.instruments.push_back(XmInstrumentWithOneSample());
  std::vector<builders::XmCell> cells = {
      {0, 0, 49, 1, 0x30, 0xE, 0x60}, {0, 1, 0, 0, 0, 0xF, 3}, {1, 0, 0, 0, 0x62, 0, 0},
      {2, 0, 0, 0, 0, 0xE, 0x62}};
  xm.patterns.push_back({8, builders::XmPatternData(8, 2, cells)});
  ASSERT_TRUE(Load(xm.Build()));
  ASSERT_TRUE(PlayerStart(state, module));
  std::vector<int> rows;
  for (int tick = 0; tick < 3 * 10; ++tick) {
    Tick();
    if (state.tick == 0) rows.push_back(state.row);
    if (tick == 0) {
      EXPECT_EQ(Channel().volume, 32);
      EXPECT_EQ(Channel().frequency, 8363u);  // linear table, middle C
    }
    if (tick == 5) {
      EXPECT_EQ(Channel().volume, 28);  // row 1: two ticks of slide
    }
  }
  EXPECT_EQ(state.speed, 3);
  EXPECT_EQ(rows, (std::vector<int>{0, 1, 2, 0, 1, 2, 0, 1, 2, 3}));
}

// Guards against MOD periods and S3M C2 rates giving another pitch than the
// note they stand for.
TEST_F(PlayerModules, ModAndS3mPitch) {
  builders::ModModule mod;
  mod.samples.push_back({"s", std::vector<int8_t>(32, 10), 0, 64, 0, 1});
  mod.patterns[0].push_back({0, 0, 428, 1, 0xC, 0x20});
  ASSERT_TRUE(Load(mod.Build()));
  ASSERT_TRUE(PlayerStart(state, module));
  Tick();
  EXPECT_TRUE(Channel().active);
  EXPECT_EQ(Channel().volume, 32);
  EXPECT_EQ(Channel().frequency, 14317456u / 1712);

  builders::S3mModule s3m;
  builders::S3mSample sample;
  sample.data.assign(32, 128);
  s3m.samples.push_back(sample);
  s3m.patterns.push_back({{{0, 0, 0x41, 1, 40, 0, 0}}});
  ASSERT_TRUE(Load(s3m.Build()));
  ASSERT_TRUE(PlayerStart(state, module));
  Tick();
  EXPECT_TRUE(Channel().active);
  EXPECT_EQ(Channel().volume, 40);
  EXPECT_EQ(Channel().frequency, 14317056u / quelt::C2RatePeriod(49, 8363));
}

std::vector<std::string> MusicFiles() {
  std::vector<std::string> files;
  const std::pair<const char*, std::string> places[] = {{"/usr/share/games/tecnoballz/musics", ".mod"},
                                                        {"/usr/share/games/gl-117/music", ".s3m"},
                                                        {"/usr/share/games/flobopuyo/sfx", ".xm"}};
  for (const auto& [folder, extension] : places) {
    DIR* dir = opendir(folder);
    if (!dir) continue;
    while (dirent* entry = readdir(dir)) {
      const std::string name = entry->d_name;
      if (name.size() > 4 && name.compare(name.size() - 4, 4, extension) == 0)
        files.push_back(std::string(folder) + "/" + name);
    }
    closedir(dir);
  }
  return files;
}

// Guards against real tracker music driving a voice out of its ranges, or
// playing nothing at all.
TEST_F(PlayerModules, RealMusicStaysInRange) {
  const std::vector<std::string> files = MusicFiles();
  if (files.empty()) GTEST_SKIP() << "no tracker music installed";
  for (const std::string& file : files) {
    module = ModuleSlot();
    ASSERT_TRUE(LoadModuleFile(module, file.c_str(), 0)) << file;
    ASSERT_TRUE(PlayerStart(state, module)) << file;
    int notes = 0;
    for (int tick = 0; tick < 20000 && state.playing; ++tick) {
      PlayerTick(state);
      for (int index = 0; index < state.musicChannelCount; ++index) {
        MixChannel& channel = state.musicChannels[index];
        if (!channel.active && !channel.startRequest) continue;
        ASSERT_GE(channel.volume, 0) << file;
        ASSERT_LE(channel.volume, 64) << file;
        ASSERT_GE(channel.period, 40) << file;
        ASSERT_LE(channel.period, 40000) << file;
        ASSERT_LT(channel.sampleIndex, module.samples.size()) << file;
        if (channel.startRequest.exchange(0)) {
          ++notes;
          channel.active = 1;
          channel.keyOn = 1;
          channel.fadeVolume = 65535;
        }
      }
    }
    EXPECT_GT(notes, 0) << file;
    PlayerStop(state);
  }
}

}  // namespace
