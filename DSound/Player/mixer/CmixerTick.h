// The mixer's tick: the module player, FX start requests and the mixing
// parameters (step, factors) of every channel.
#pragma once

#include <cstdint>

#include "mixer/Cmixer.h"

// One tick: the module player (when a module plays), FX start requests and
// the mixing parameters of every channel; sets the tick counter.
void MixTick(MixSettings& settings);

// The per-tick updates of one channel (FX or music): start request, step,
// factors. Part of MixTick.
void UpdateFxChannel(MixSettings& settings, MixChannel& channel, uint32_t rate);
void UpdateMusicChannel(MixSettings& settings, MixerState& state, MixChannel& channel, uint32_t rate);

// Output bytes of one tick at a tempo (BPM) in the current format.
int32_t TickLengthBytes(const MixSettings& settings, uint8_t tempo);

// 21.11 fixed-point increment per output frame for a frequency, with the sign
// of the previous step (a ping-pong voice keeps running backwards).
int32_t StepForFrequency(uint32_t frequency, uint32_t rate, int32_t previousStep);

// Left and right factors from the mono factor, a panning of 0-255 and the
// stereo separation.
void ApplySeparation(MixChannel& channel, uint32_t panning, uint8_t separation);
