// Loading modules from files: offsets inside archives, the order in which
// formats are tried, freeing, slots in use, and real modules.
#include <gtest/gtest.h>

#include <dirent.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "loaders/CModQLT.h"
#include "loaders/ModuleLoaders.h"
#include "model/Cmodule.h"
#include "loaders/ModuleLoading.h"
#include "module_builders.h"

namespace {

std::vector<uint8_t> SmallXm() {
  builders::XmModule xm;
  xm.patterns.push_back(builders::XmPattern{64, builders::XmPatternData(64, 4, {{0, 0, 49, 1}})});
  builders::XmInstrument instrument;
  instrument.samples.resize(1);
  instrument.samples[0].points = {1, 2, 3, 4};
  xm.instruments.push_back(instrument);
  return xm.Build();
}

// Every file with one of the extensions in a folder (none when the folder
// does not exist).
std::vector<std::string> FilesIn(const std::string& folder, const char* extension) {
  std::vector<std::string> files;
  if (DIR* dir = opendir(folder.c_str())) {
    while (dirent* entry = readdir(dir)) {
      const std::string name = entry->d_name;
      if (name.size() > 4 && name.compare(name.size() - 4, 4, extension) == 0)
        files.push_back(folder + "/" + name);
    }
    closedir(dir);
  }
  return files;
}

}  // namespace

TEST(ModuleFiles, ModulesLoadFromAnOffsetInsideALargerFile) {
  // Guards against loaders reading from the start of the file instead of
  // the module's offset.
  std::vector<uint8_t> archive(4096, 0x55);
  const std::vector<uint8_t> xm = SmallXm();
  archive.insert(archive.end(), xm.begin(), xm.end());
  const std::string path =
      builders::WriteFile(::testing::TempDir() + "quelt_module_archive.bin", archive);
  ModuleSlot module;
  ASSERT_TRUE(LoadModuleFile(module, path.c_str(), 4096));
  EXPECT_EQ(module.format, ModuleFormat::XM);
  EXPECT_EQ(module.samples[0].length, 4u);
  EXPECT_FALSE(LoadModuleFile(module, path.c_str(), 4095));
  EXPECT_FALSE(module.loaded);
  EXPECT_FALSE(LoadModuleFile(module, path.c_str(), 1ul << 30));
}

TEST(ModuleFiles, MissingFilesAndUnknownFormatsLeaveTheSlotEmpty) {
  // Guards against a failed load reporting success or leaving half a model.
  ModuleSlot module;
  EXPECT_FALSE(LoadModuleFile(module, "there is no such module.xm", 0));
  EXPECT_FALSE(LoadModuleFile(module, ::testing::TempDir().c_str(), 0));  // a folder
  const std::string path =
      builders::WriteFile(::testing::TempDir() + "quelt_not_a_module.bin",
                          std::vector<uint8_t>(5000, 0x20));
  EXPECT_FALSE(LoadModuleFile(module, path.c_str(), 0));
  EXPECT_FALSE(module.loaded);
  EXPECT_EQ(module.patterns.size(), 0u);
  EXPECT_FALSE(LoadModuleFromMemory(module, nullptr, 0));
}

TEST(ModuleFiles, BackslashNamesFindTheFile) {
  // Guards against names written with backslashes (as the game writes them)
  // not being found.
  const std::string folder = std::string(::testing::TempDir()) + "quelt_music";
  ::mkdir(folder.c_str(), 0755);
  const std::vector<uint8_t> xm = SmallXm();
  std::FILE* file = std::fopen((folder + "/tune.xm").c_str(), "wb");
  ASSERT_NE(file, nullptr);
  std::fwrite(xm.data(), 1, xm.size(), file);
  std::fclose(file);
  ModuleSlot module;
  EXPECT_TRUE(LoadModuleFile(module, (folder + "\\tune.xm").c_str(), 0));
}

TEST(ModuleFiles, FormatsAreTriedModFirst) {
  // Guards against the probe order changing: bytes that carry both the MOD
  // id at 1080 and the S3M id at 44 load as a MOD.
  builders::ModModule mod;
  std::vector<uint8_t> bytes = mod.Build();
  std::memcpy(&bytes[44], "SCRM", 4);
  ModuleSlot module;
  ASSERT_TRUE(LoadModuleFromMemory(module, bytes.data(), bytes.size()));
  EXPECT_EQ(module.format, ModuleFormat::MOD);
}

TEST(ModuleFiles, FreeingAndSlotsInUse) {
  // Guards against freeing or replacing a module while the player uses it,
  // and against freeing leaving the loaded flag set.
  const std::vector<uint8_t> xm = SmallXm();
  ModuleSlot module;
  EXPECT_TRUE(FreeModule(module));  // empty slot
  ASSERT_TRUE(LoadModuleFromMemory(module, xm.data(), xm.size()));
  module.inUse = 1;
  EXPECT_FALSE(FreeModule(module));
  EXPECT_FALSE(LoadModuleFromMemory(module, xm.data(), xm.size()));
  EXPECT_FALSE(LoadModuleFile(module, "whatever.xm", 0));
  EXPECT_TRUE(module.loaded);
  EXPECT_EQ(module.samples.size(), 1u);
  module.inUse = 0;
  EXPECT_TRUE(FreeModule(module));
  EXPECT_FALSE(module.loaded);
  EXPECT_TRUE(module.samples.empty());
  EXPECT_TRUE(module.patterns.empty());
  EXPECT_EQ(module.songLength, 0);
}

TEST(ModuleFiles, ThePieceReaderReadsEverythingInSmallPieces) {
  // Guards against the piece reader stopping after its first piece or
  // reporting more than it read.
  std::vector<uint8_t> bytes(1000);
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(i * 7);
  const std::string path =
      builders::WriteFile(::testing::TempDir() + "quelt_pieces.bin", bytes);
  std::FILE* file = std::fopen(path.c_str(), "rb");
  ASSERT_NE(file, nullptr);
  std::vector<uint8_t> read(1200);
  EXPECT_EQ(ReadInPieces(file, read.data(), 1200), 1000u);
  std::fclose(file);
  read.resize(1000);
  EXPECT_EQ(read, bytes);
}

TEST(ModuleFiles, SampleDataHelpersKeepTheGuardSamples) {
  // Guards against allocations without room for the two guard samples, and
  // lengths the 21.11 mixing position cannot address.
  SampleSlot sample;
  ASSERT_TRUE(AllocateSampleData(sample, 5, true));
  EXPECT_EQ(sample.pcm.size(), 7u);
  sample.Data16()[4] = -9;
  SetGuardSamples(sample);
  EXPECT_EQ(sample.Data16()[6], -9);
  ASSERT_TRUE(AllocateSampleData(sample, 5, false));
  EXPECT_FALSE(sample.Is16Bit());
  EXPECT_GE(sample.pcm.size() * 2, 7u);
  EXPECT_FALSE(AllocateSampleData(sample, kMaxSampleLength + 1, false));
  EXPECT_EQ(sample.length, 0u);
  EXPECT_FALSE(AllocateSampleData(sample, 0, false));
  FreeSample(sample);
  EXPECT_EQ(sample.Data(), nullptr);
}

TEST(RealModules, EveryShippedModuleLoadsAndSurvivesAQltRoundTrip) {
  // Guards against loaders refusing or misreading modules written by real
  // trackers (MOD, S3M and XM game music of Debian packages).
  std::vector<std::string> files;
  for (const auto& [folder, extension] :
       {std::pair{"/usr/share/games/tecnoballz/musics", ".mod"},
        std::pair{"/usr/share/games/gl-117/music", ".s3m"},
        std::pair{"/usr/share/games/flobopuyo/sfx", ".xm"}}) {
    for (const std::string& file : FilesIn(folder, extension)) files.push_back(file);
  }
  if (files.empty()) GTEST_SKIP() << "tecnoballz-data, gl-117-data and flobopuyo are absent";
  for (const std::string& file : files) {
    ModuleSlot module;
    ASSERT_TRUE(LoadModuleFile(module, file.c_str(), 0)) << file;
    EXPECT_GT(module.songLength, 0) << file;
    EXPECT_GT(module.channelCount, 0) << file;
    size_t sampleData = 0;
    for (const SampleSlot& sample : module.samples) sampleData += sample.length;
    EXPECT_GT(sampleData, 0u) << file;
    const std::vector<uint8_t> qlt = WriteModuleQLT(module);
    ModuleSlot copy;
    ASSERT_TRUE(LoadModuleFromMemory(copy, qlt.data(), qlt.size())) << file;
    EXPECT_EQ(WriteModuleQLT(copy), qlt) << file;
  }
}
