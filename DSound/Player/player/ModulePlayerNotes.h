// The note step of a decoded cell (instrument, note, volume, effect), and the
// channel helpers every step uses.
#pragma once

#include <cstdint>

#include "player/ModulePlayerInternal.h"

namespace quelt {

bool IsKeyOff(uint8_t note);
bool IsNote(uint8_t note);
void AddVolume(MixChannel& channel, int delta);
void SetVolume(MixChannel& channel, int volume);
void AddPeriod(MixChannel& channel, int delta);
void SetPeriod(MixChannel& channel, uint32_t period);
void SilenceChannel(MixChannel& channel);  // inactive, no start request
uint32_t ChannelNotePeriod(const ChannelContext& context, int note);
void KeyOff(const ChannelContext& context);

void NoteStep(const ChannelContext& context, const PatternCell& cell);

}  // namespace quelt
