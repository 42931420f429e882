// The mixer's output, bit for bit: every module the tests play (the game's
// music, the generated test songs, the Debian game modules) rendered at each
// interpolation, 8 and 16 bit, mono and stereo, hashed and compared with the
// hashes recorded in inputs/render_hashes.txt. The renders are short (six
// seconds each), with 8- and 16-bit samples, forward and ping-pong loops
// among them; VoiceLoops covers every loop kind on random voices besides.
//
// To record anew (only when the sound is meant to change):
//   QUELT_RECORD_RENDER_HASHES=1 build/tests/test_quelt --gtest_filter='RenderHashes.*'
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "render.h"
#include "render_songs.h"
#include "temp_files.h"

namespace {

constexpr double kSeconds = 6;
const std::string kHashFile = std::string(TERVANE_SOURCE_DIR) + "/tests/quelt/inputs/render_hashes.txt";

uint64_t Fnv1a(const std::vector<uint8_t>& bytes) {
  uint64_t hash = 14695981039346656037ull;
  for (uint8_t byte : bytes) hash = (hash ^ byte) * 1099511628211ull;
  return hash;
}

// Name (for the hash file) and path of every module the tests play; modules
// that are not there (Debian packages not installed, no game build) are left out.
std::vector<std::pair<std::string, std::string>> Modules() {
  std::vector<std::pair<std::string, std::string>> modules = {
      {"song.xm", WriteTempFile("hash_song.xm", render_songs::XmSong())},
      {"song.mod", WriteTempFile("hash_song.mod", render_songs::ModSong())},
      {"song.s3m", WriteTempFile("hash_song.s3m", render_songs::S3mSong())},
  };
  const std::string music = std::string(TERVANE_GAME_DIR) + "/music.xm";
  if (std::filesystem::exists(music)) modules.emplace_back("music.xm", music);
  const std::pair<const char*, const char*> packages[] = {{"/usr/share/games/tecnoballz/musics", ".mod"},
                                                          {"/usr/share/games/gl-117/music", ".s3m"},
                                                          {"/usr/share/games/flobopuyo/sfx", ".xm"}};
  for (const auto& [folder, extension] : packages) {
    std::error_code error;
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error))
      if (entry.path().extension() == extension) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    for (const std::string& file : files) modules.emplace_back(std::filesystem::path(file).filename(), file);
  }
  return modules;
}

std::string Key(const std::string& module, int interpolation, bool stereo, bool sixteenBit) {
  std::ostringstream key;
  key << module << ' ' << interpolation << ' ' << (stereo ? "stereo" : "mono") << ' ' << (sixteenBit ? 16 : 8);
  return key.str();
}

std::map<std::string, std::string> RecordedHashes() {
  std::map<std::string, std::string> hashes;
  std::ifstream in(kHashFile);
  std::string line;
  while (std::getline(in, line)) {
    const size_t space = line.rfind(' ');
    if (space != std::string::npos) hashes[line.substr(0, space)] = line.substr(space + 1);
  }
  return hashes;
}

// Guards against any change of one output sample in any voice loop, output
// conversion or format while the mixer is made faster.
TEST(RenderHashes, EveryModuleRendersAsRecorded) {
  const bool record = std::getenv("QUELT_RECORD_RENDER_HASHES") != nullptr;
  std::map<std::string, std::string> hashes = record ? std::map<std::string, std::string>() : RecordedHashes();
  ASSERT_TRUE(record || !hashes.empty()) << "no hashes in " << kHashFile;
  int compared = 0;
  for (const auto& [name, path] : Modules()) {
    for (int interpolation = 0; interpolation <= 2; ++interpolation) {
      for (bool stereo : {false, true}) {
        for (bool sixteenBit : {false, true}) {
          RenderOptions options;
          options.interpolation = interpolation;
          options.stereo = stereo;
          options.sixteenBit = sixteenBit;
          options.seconds = kSeconds;
          const RenderResult result = RenderModuleFile(path, options);
          ASSERT_TRUE(result.ok) << name << ": " << result.error;
          char hash[17];
          std::snprintf(hash, sizeof hash, "%016llx", static_cast<unsigned long long>(Fnv1a(result.pcm)));
          const std::string key = Key(name, interpolation, stereo, sixteenBit);
          if (record) {
            hashes[key] = hash;
          } else if (hashes.count(key)) {
            EXPECT_EQ(hashes[key], hash) << key;
            ++compared;
          }
        }
      }
    }
  }
  if (record) {
    std::ofstream out(kHashFile);
    for (const auto& [key, hash] : hashes) out << key << ' ' << hash << '\n';
  } else {
    EXPECT_GE(compared, 36);  // at least the generated songs and the game's music
  }
}

}  // namespace
