// What the parts of the module player share: the view of the module being
// played (every lookup bounded), the channel being worked on, and the steps
// one tick is made of.
#pragma once

#include <cstdint>

#include "Cmixer.h"
#include "Cmodule.h"
#include "Cpattern.h"
#include "ModulePlayerEnvelopes.h"
#include "ModulePlayerPeriods.h"

namespace quelt {

constexpr uint8_t kOrderSkipMarker = 254;
constexpr uint16_t kBeforeFirstRow = 0xFFFF;
constexpr uint16_t kEnvelopeRestartTick = 0xFFFF;
constexpr uint8_t kJumpToOrder = 2;    // jump mode: play the order index as it stands
constexpr uint8_t kJumpToNextOrder = 3;

// The channel a step works on, with the song it belongs to.
struct ChannelContext {
  MixerState& state;
  const ModuleSlot& module;
  MixChannel& channel;
};

// --- Module lookups: null or kNoSample for anything out of range. ---
const Instrument* FindInstrument(const ModuleSlot& module, uint16_t index);
const SampleSlot* FindSample(const ModuleSlot& module, uint16_t index);
// The sample an instrument plays for a note (the last keymap entry for notes
// above the keymap), or kNoSample when that is not a sample of the module.
uint16_t KeymapSample(const ModuleSlot& module, const Instrument& instrument, uint8_t note);
// The pattern an order entry plays, or null past the song or for an entry
// that is not a pattern (the skip marker among them).
PackedPattern* OrderPattern(ModuleSlot& module, uint16_t orderIndex);
bool IsSkipMarker(const ModuleSlot& module, uint16_t orderIndex);

// --- Channel helpers. ---
bool IsKeyOff(uint8_t note);
bool IsNote(uint8_t note);
void AddVolume(MixChannel& channel, int delta);
void SetVolume(MixChannel& channel, int volume);
void AddPeriod(MixChannel& channel, int delta);
void SetPeriod(MixChannel& channel, uint32_t period);
void SilenceChannel(MixChannel& channel);  // inactive, no start request
uint32_t ChannelNotePeriod(const ChannelContext& context, int note);
void KeyOff(const ChannelContext& context);

// --- The steps of a tick. ---
void NoteStep(const ChannelContext& context, const PatternCell& cell);
void VolumeColumnStep(const ChannelContext& context);
void EffectStep(const ChannelContext& context);
void ChannelUpdate(const ChannelContext& context);

// Shared by the effects and the volume column.
void MoveTowardTarget(MixChannel& channel);
void VibratoSwing(const ChannelContext& context, int shift);

}  // namespace quelt
