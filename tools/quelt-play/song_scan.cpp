#include "song_scan.h"

#include <memory>
#include <set>
#include <vector>

#include "loaders/ModuleLoaders.h"
#include "model/Cmodule.h"
#include "model/MixerState.h"
#include "player/ModulePlayer.h"

namespace {

// Songs are not scanned past this much playing time.
constexpr double kLongestSong = 4 * 3600.0;

// What decides where a song goes from a row on: the place, a row delay under
// way and the pattern loops under way (a row played again by a delay or a
// loop is not a repeat of the song).
std::vector<uint16_t> RowState(const MixerState& state) {
  std::vector<uint16_t> key = {state.orderIndex, state.row, state.patternDelay};
  for (int i = 0; i < state.musicChannelCount; ++i) {
    const MixChannel& channel = state.musicChannels[i];
    key.push_back(static_cast<uint16_t>(channel.patternLoopCount << 8 | channel.patternLoopRow));
  }
  return key;
}

}  // namespace

SongScan ScanSong(const std::string& fileName) {
  SongScan scan;
  auto module = std::make_unique<ModuleSlot>();
  if (!LoadModuleFile(*module, fileName.c_str(), 0)) return scan;
  auto state = std::make_unique<MixerState>();
  scan.ok = PlayerStart(*state, *module);
  std::set<std::vector<uint16_t>> rowsPlayed;
  while (scan.ok && state->playing && scan.seconds < kLongestSong) {
    PlayerTick(*state);
    if (!state->playing) break;
    if (state->tick == 0 && !rowsPlayed.insert(RowState(*state)).second) {
      scan.repeats = true;
      break;
    }
    // The mixer's tick lasts 125 / (tempo x 50) seconds at the new tempo.
    scan.seconds += 2.5 / state->tempo;
  }
  PlayerStop(*state);
  FreeModule(*module);
  return scan;
}
