// Writes the seed corpora of the fuzz harnesses, one folder per harness, so
// that fuzzing starts from valid inputs: files of a built program directory,
// the content inputs of the source tree, and what the project's own tools
// and test builders make (packs, pictures, icons, modules, sounds, scores).
//
// Usage: tervane-fuzz-seeds GAME_DIR SOURCE_DIR OUT_DIR
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "DSound/Player/loaders/CModQLT.h"
#include "DSound/Player/loaders/ModuleLoaders.h"
#include "game/island_files.h"
#include "game/scores_file.h"
#include "graphics/packs/format.h"
#include "graphics/packs/reader.h"
#include "sound/sound_bank.h"
#include "tests/quelt/module_builders.h"
#include "tests/quelt/render_songs.h"
#include "tools/art/canvas.h"
#include "tools/art/encoders.h"
#include "tools/packer/packwriter.h"

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

namespace {

fs::path g_out;

void Put(const std::string& harness, const std::string& name, const Bytes& bytes) {
  fs::create_directories(g_out / harness);
  std::ofstream(g_out / harness / name, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

Bytes Read(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

Bytes Prefixed(uint8_t first, const Bytes& rest) {
  Bytes out{first};
  out.insert(out.end(), rest.begin(), rest.end());
  return out;
}

// Every file of a folder (not recursive) whose name ends in the extension.
std::vector<fs::path> FilesEndingIn(const fs::path& folder, const std::string& extension) {
  std::vector<fs::path> found;
  if (!fs::is_directory(folder)) return found;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
    if (entry.is_regular_file() && entry.path().extension() == extension) found.push_back(entry.path());
  }
  std::sort(found.begin(), found.end());
  return found;
}

// A small picture with gradients and a black (transparent) corner.
art::Canvas SmallPicture(int width, int height) {
  art::Canvas canvas(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      bool corner = x < width / 4 && y < height / 4;
      canvas.Set(x, y, corner ? art::Colour{} : art::Colour{x * 255.0f / width, y * 255.0f / height, 128});
    }
  }
  return canvas;
}

void PictureSeeds(const fs::path& gameDir) {
  for (const fs::path& bmp : FilesEndingIn(gameDir / "Mouse", ".bmp")) Put("fuzz_bmp", bmp.filename(), Read(bmp));
  Put("fuzz_bmp", "small.bmp", art::EncodeBmp(SmallPicture(13, 7), false));
  Put("fuzz_jpeg", "small90.jpg", art::EncodeJpeg(SmallPicture(24, 16), 90));
  Put("fuzz_jpeg", "small30.jpg", art::EncodeJpeg(SmallPicture(17, 9), 30));
  Put("fuzz_icon", "Eicon.ico", Read(gameDir / "Eicon.ico"));
  Put("fuzz_icon", "small.ico", art::EncodeIco(SmallPicture(16, 16)));
  for (const fs::path& font : FilesEndingIn(gameDir / "Fonts", ".fnt")) Put("fuzz_font", font.filename(), Read(font));
}

// Packs holding every storage method, plain and scrambled; the first byte
// is the harness's mode byte.
void PackSeeds(const fs::path& gameDir) {
  Bytes text;
  for (int i = 0; i < 300; ++i) text.push_back(static_cast<uint8_t>("tervane island "[i % 15]));
  std::vector<int> tone = render_songs::Pluck(20, 400, 12000);
  Bytes pcm;
  for (int value : tone) {
    pcm.push_back(static_cast<uint8_t>(value));
    pcm.push_back(static_cast<uint8_t>(value >> 8));
  }
  Bytes wave = builders::BuildWave(1, 1, 22050, 16, pcm);
  std::vector<PackInput> entries = {
      {"Image", art::EncodeJpeg(SmallPicture(16, 8), 80), kMethodStored, 1},
      {"but1", art::EncodeBmp(SmallPicture(6, 5), true), kMethodLzw, 0},
      {"text", text, kMethodLzw, 0},
      {"raw", text, kMethodStored, 0},
      {"d4", pcm, kMethodDelta4, 0},
      {"w6", wave, kMethodWaveDelta6, 0},
      {"w8", wave, kMethodWaveDelta8, 0},
  };
  Put("fuzz_pack", "plain", Prefixed(1, BuildPack(entries, {})));
  Put("fuzz_pack", "scrambled", Prefixed(3, BuildPack(entries, {true, kImagePackKey})));
  Put("fuzz_pack", "decoders", Prefixed(5, EncodeEntryData({"t", text, kMethodLzw, 0})));
  Put("fuzz_pack", "cursor", Prefixed(3, Read(gameDir / "Mouse" / "graphics.dat")));
  Put("fuzz_pack", "sounds", Prefixed(1, Read(gameDir / "sounds.dat")));
}

// Island blocks of the shipped archive in the harness's block mode, and an
// edit list for its edit mode.
void IslandSeeds(const fs::path& gameDir) {
  Bytes pointers = Read(gameDir / "islands" / "islands.ptr");
  Bytes archive = Read(gameDir / "islands" / "islands.inf");
  auto at = [&](size_t entry, size_t field) {
    int32_t value;
    std::memcpy(&value, pointers.data() + entry * 8 + field * 4, 4);
    return static_cast<size_t>(value);
  };
  if (pointers.size() < 1032) return;
  for (size_t island : {0, 5, 77}) {
    size_t map = at(island, 0), info = at(island, 1), end = at(island + 1, 0);
    if (!(map < info && info < end && end <= archive.size())) continue;
    Bytes seed{1, static_cast<uint8_t>(info - map), static_cast<uint8_t>((info - map) >> 8)};
    seed.insert(seed.end(), archive.begin() + map, archive.begin() + end);
    Put("fuzz_island", "blocks" + std::to_string(island), seed);
  }
  Put("fuzz_island", "edits", {2, 10, 0, 7, 200, 1, 120, 44, 0, 2});
  Bytes files{0};
  files.insert(files.end(), pointers.begin(), pointers.end());
  files.insert(files.end(), archive.begin(), archive.begin() + at(2, 0));
  Put("fuzz_island", "files", files);
}

// Modules from the test builders in each format, and their QLT forms.
void ModuleSeeds(const fs::path& gameDir) {
  const std::pair<const char*, Bytes> songs[] = {
      {"fuzz_quelt_xm", render_songs::XmSong()},
      {"fuzz_quelt_xm", render_songs::ThirtyTwoChannelSong()},
      {"fuzz_quelt_mod", render_songs::ModSong()},
      {"fuzz_quelt_s3m", render_songs::S3mSong()},
  };
  int number = 0;
  for (const auto& [harness, bytes] : songs) {
    std::string name = "song" + std::to_string(++number);
    Put(harness, name, bytes);
    ModuleSlot module;
    if (LoadModuleFromMemory(module, bytes.data(), bytes.size())) Put("fuzz_quelt_qlt", name, WriteModuleQLT(module));
  }
  Bytes music = Read(gameDir / "music.xm");
  Put("fuzz_quelt_xm", "music.xm", music);
  ModuleSlot module;
  if (LoadModuleFromMemory(module, music.data(), music.size())) Put("fuzz_quelt_qlt", "music", WriteModuleQLT(module));
}

void WaveSeeds() {
  Bytes eight = render_songs::AsUnsigned8(render_songs::SineCycle(64, 100));
  Bytes sixteen(128);
  for (size_t i = 0; i < sixteen.size(); ++i) sixteen[i] = static_cast<uint8_t>(i * 37);
  for (const char* harness : {"fuzz_quelt_wave", "fuzz_quelt_render_wave"}) {
    Put(harness, "mono8.wav", builders::BuildWave(1, 1, 22050, 8, eight));
    Put(harness, "mono16.wav", builders::BuildWave(1, 1, 44100, 16, sixteen));
    Put(harness, "stereo16.wav", builders::BuildWave(1, 2, 48000, 16, sixteen));
    Put(harness, "chunks.wav", builders::BuildWave(1, 1, 8000, 8, eight, {{"LIST", {1, 2, 3}}, {"fact", {0, 0, 0, 0}}}));
  }
  Put("fuzz_quelt_render_wave", "float.wav", builders::BuildWave(3, 2, 44100, 32, sixteen));
}

// The player harness reads a module description byte by byte.
void PlayerSeeds() {
  uint32_t state = 2024;
  for (int seed = 0; seed < 6; ++seed) {
    Bytes bytes(64 + seed * 80);
    for (uint8_t& byte : bytes) {
      state = state * 1103515245u + 12345u;
      byte = static_cast<uint8_t>(state >> 16);
    }
    Put("fuzz_quelt_player", "random" + std::to_string(seed), bytes);
  }
}

// The text layouts of every screen folder of the source tree.
void LayoutSeeds(const fs::path& sourceDir) {
  for (const fs::directory_entry& folder : fs::directory_iterator(sourceDir / "content")) {
    std::string name = folder.path().filename();
    if (fs::exists(folder.path() / "buttons.inf")) Put("fuzz_buttons", name, Read(folder.path() / "buttons.inf"));
    if (fs::exists(folder.path() / "size.inf")) Put("fuzz_size", name, Read(folder.path() / "size.inf"));
  }
}

// The files the game writes: best scores, options and the island rotation.
void GameFileSeeds() {
  const Bytes defaults(reinterpret_cast<const uint8_t*>(DefaultScores),
                       reinterpret_cast<const uint8_t*>(DefaultScores) + sizeof DefaultScores);
  Bytes table;
  for (int block = 0; block < kScoreBlocks; ++block) table.insert(table.end(), defaults.begin(), defaults.end());
  Put("fuzz_scores", "defaults", table);
  Put("fuzz_scores", "short", Bytes(defaults.begin(), defaults.begin() + 100));
  Put("fuzz_options", "defaults", {1, 1, 1, 1});
  Put("fuzz_options", "changed", {0, 1, 0, 4});
  Bytes rotation;
  for (int i = 0; i < kIslandsPerArchive; ++i) rotation.push_back(static_cast<uint8_t>((i * 37) % kIslandsPerArchive));
  Put("fuzz_rotation", "first", rotation);
  rotation.insert(rotation.end(), {200, 0, 0, 0});
  Put("fuzz_rotation", "later", rotation);
}

// The game's sound bank whole (mode byte 1), and each of its entries as the
// reader takes it apart (mode byte 0).
void SoundBankSeeds(const fs::path& gameDir) {
  const fs::path bank = gameDir / kSoundBankFile;
  Put("fuzz_sound_bank", "bank", Prefixed(1, Read(bank)));
  // A small bank of every sample shape, well under the fuzzer's input size.
  const Bytes pcm = render_songs::AsUnsigned8(render_songs::SineCycle(48, 90));
  std::vector<PackInput> effects;
  for (int entry = 1; entry <= kBankSampleCount; ++entry) {
    const uint16_t channels = entry % 2 + 1, bits = entry % 4 < 2 ? 8 : 16;
    effects.push_back({"fx" + std::to_string(entry), builders::BuildWave(1, channels, 11025u * entry, bits, pcm),
                       entry % 3 == 0 ? kMethodStored : kMethodLzw, 0});
  }
  Put("fuzz_sound_bank", "small", Prefixed(1, BuildPack(effects, {})));
  if (!OpenPack(bank.string(), kSoundBankKey)) return;
  for (int entry = 1; entry <= kBankSampleCount; ++entry) {
    Bytes bytes;
    const uint32_t size = ExtractEntry(entry, bytes);
    if (size > 0) Put("fuzz_sound_bank", "entry" + std::to_string(entry), Prefixed(0, Bytes(bytes.begin(), bytes.begin() + size)));
  }
  ClosePack();
}

// The dialog harness reads the mixer's settings, the settings to show (both
// as rate, flags, interpolation, level, volumes, buffer bytes and length,
// separation), then actions of three or more bytes.
void DialogSeeds() {
  auto settings = [](uint16_t rate, uint8_t flags, uint8_t interpolation, uint8_t level, uint32_t bufferBytes,
                     uint16_t milliseconds) {
    Bytes bytes{static_cast<uint8_t>(rate), static_cast<uint8_t>(rate >> 8), flags, interpolation, 0, 0, 0,
                level, 0, 0, 0, 128, 200};
    for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<uint8_t>(bufferBytes >> shift));
    bytes.insert(bytes.end(), {static_cast<uint8_t>(milliseconds), static_cast<uint8_t>(milliseconds >> 8), 255});
    return bytes;
  };
  Bytes opened = settings(44100, 3, 2, 1, 0, 50);
  Bytes shown = settings(22050, 1, 1, 2, 32768, 120);
  opened.insert(opened.end(), shown.begin(), shown.end());
  // Move the separation and a volume, choose a rate and apply, then OK.
  const Bytes actions = {7, 8, 100, 0, 0, 0, 3, 10, 30, 0, 0, 0, 2, 5, 2, 0, 0, 0, 0, 2, 0, 0};
  Put("fuzz_quelt_dialog", "defaults", opened);
  opened.insert(opened.end(), actions.begin(), actions.end());
  Put("fuzz_quelt_dialog", "actions", opened);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: %s GAME_DIR SOURCE_DIR OUT_DIR\n", argv[0]);
    return 2;
  }
  fs::path gameDir = argv[1];
  g_out = argv[3];
  PictureSeeds(gameDir);
  PackSeeds(gameDir);
  IslandSeeds(gameDir);
  ModuleSeeds(gameDir);
  WaveSeeds();
  PlayerSeeds();
  LayoutSeeds(argv[2]);
  GameFileSeeds();
  DialogSeeds();
  SoundBankSeeds(gameDir);
  return 0;
}
