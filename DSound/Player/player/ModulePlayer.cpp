// The module player: walks the order list and the patterns of the current
// module tick by tick. Each row start may repeat a row (pattern delay), jump
// back in the pattern (pattern loop) or move to another order (breaks, jumps
// and the end of a pattern); then the row's cells are decoded into notes and
// every channel runs its effects and updates its pitch, volume and envelopes.
#include "player/ModulePlayer.h"

#include <algorithm>

#include "player/ModulePlayerChannel.h"
#include "player/ModulePlayerInternal.h"
#include "player/ModulePlayerModule.h"
#include "player/ModulePlayerNotes.h"


using namespace quelt;

namespace {

PackedPattern* CurrentPattern(MixerState& state) {
  return OrderPattern(*state.currentModule, state.orderIndex);
}

// Playback ends: the mixer stops mixing music and the client hears of it.
void EndSong(MixerState& state) {
  state.songEnd = 1;
  state.playing = 0;
  state.currentModule->inUse = 0;
  state.musicChannelCount = 0;
}

uint16_t SkipMarkers(const ModuleSlot& module, uint16_t orderIndex) {
  while (IsSkipMarker(module, orderIndex)) ++orderIndex;
  return orderIndex;
}

// Settles the order index on a pattern to play: past the song's end a
// looping song goes on at its restart position. False when the song ends.
bool SettleOrder(MixerState& state) {
  ModuleSlot& module = *state.currentModule;
  state.orderIndex = SkipMarkers(module, state.orderIndex);
  if (OrderPattern(module, state.orderIndex)) return true;
  if (state.loopSong) {
    state.orderIndex = SkipMarkers(module, module.restartPosition);
    if (OrderPattern(module, state.orderIndex)) return true;
  }
  EndSong(state);
  return false;
}

// Carries out a pending jump; the new pattern starts at the break row (or at
// its first row when the break row lies beyond it).
bool EnterOrder(MixerState& state) {
  const int mode = state.jumpMode;
  state.jumpMode = 0;
  state.row = state.breakRow;
  state.orderIndex = static_cast<uint16_t>(state.orderIndex + mode - kJumpToOrder);
  if (!SettleOrder(state)) return false;
  for (MixChannel& channel : state.musicChannels) channel.patternLoopRow = 0;
  PackedPattern& pattern = *CurrentPattern(state);
  if (state.row >= pattern.rowCount) state.row = 0;
  StartDecoding(pattern);
  SkipRows(pattern, state.row);
  return true;
}

// The first channel asking for a pattern-loop jump is served, one per row.
void ServePatternLoop(MixerState& state) {
  for (int index = 0; index < state.musicChannelCount; ++index) {
    MixChannel& channel = state.musicChannels[index];
    if (!channel.patternLoopJump) continue;
    channel.patternLoopJump = 0;
    if (channel.patternLoopCount == 0) return;
    --channel.patternLoopCount;
    state.row = channel.patternLoopRow;
    if (PackedPattern* pattern = CurrentPattern(state)) {
      StartDecoding(*pattern);
      SkipRows(*pattern, state.row);
    }
    return;
  }
}

void DecodeNotes(MixerState& state) {
  for (int index = 0; index < state.musicChannelCount; ++index) state.musicChannels[index].rowData = 0;
  PackedPattern* pattern = CurrentPattern(state);
  if (!pattern) return;
  DecodedRow row;
  DecodeRow(*pattern, row);
  for (int entry = 0; entry < row.count; ++entry) {
    const DecodedEntry& decoded = row.entries[entry];
    if (decoded.channel >= state.musicChannelCount) continue;
    MixChannel& channel = state.musicChannels[decoded.channel];
    NoteStep({state, *state.currentModule, channel}, decoded.cell);
    channel.rowData = 1;
  }
}

// A new row begins. False when the song has ended.
bool RowStep(MixerState& state) {
  state.tick = 0;
  const uint16_t rowBefore = state.row;
  ++state.row;
  if (state.patternDelay != 0 && --state.patternDelay != 0) state.row = rowBefore;
  ServePatternLoop(state);
  const PackedPattern* pattern = CurrentPattern(state);
  const uint32_t rowCount = pattern ? pattern->rowCount : 0;
  // A break already asked for keeps its row.
  if (state.row >= rowCount && state.jumpMode == 0) {
    state.jumpMode = kJumpToNextOrder;
    state.breakRow = 0;
  }
  if (state.positionJump != 0) {
    state.orderIndex = static_cast<uint16_t>(state.positionJump - 1);
    state.jumpMode = kJumpToOrder;
    state.breakRow = 0;
    state.positionJump = 0;
  }
  if (state.jumpMode != 0 && !EnterOrder(state)) return false;
  if (state.patternDelay == 0) DecodeNotes(state);
  return true;
}

void ResetChannel(MixChannel& channel, uint8_t panning) {
  channel = MixChannel{};
  channel.defaultPanning = panning;
  channel.panning = panning;
}

}  // namespace

bool PlayerStart(MixerState& state, ModuleSlot& module) {
  if (state.playing) PlayerStop(state);
  if (!module.loaded) return false;
  state.currentModule = &module;
  const int channels = std::min<int>(module.channelCount, kMusicChannels);
  for (int index = 0; index < channels; ++index)
    ResetChannel(state.musicChannels[index], module.channelPanning[index]);
  state.orderIndex = 0;
  state.musicChannelCount = static_cast<uint8_t>(channels);
  state.row = kBeforeFirstRow;
  state.tempo = std::max(module.tempo, kMinTempo);
  state.speed = module.speed;
  state.globalVolume = std::min(module.globalVolume, kMaxVolume);
  state.jumpMode = kJumpToOrder;
  state.breakRow = 0;
  state.positionJump = 0;
  state.patternDelay = 0;
  state.tick = module.speed;
  module.inUse = 1;
  state.songEnd = 0;
  state.playing = 1;
  return true;
}

bool PlayerStop(MixerState& state) {
  state.playing = 0;
  if (state.currentModule) state.currentModule->inUse = 0;
  state.musicChannelCount = 0;
  state.songEnd = 0;
  return true;
}

void PlayerTick(MixerState& state) {
  if (!state.playing || !state.currentModule) return;
  if (state.tick + 1 >= state.speed) {
    if (!RowStep(state)) return;
  } else {
    ++state.tick;
  }
  for (int index = 0; index < state.musicChannelCount; ++index)
    ChannelUpdate({state, *state.currentModule, state.musicChannels[index]});
}
