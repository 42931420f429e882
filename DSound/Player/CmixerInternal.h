// The mixing engine's inner operations, shared by its units and its tests.
#pragma once

#include <cstdint>

#include "Cmixer.h"

// Resamples one voice into frames accumulators (interleaved left/right in
// stereo), up to its loop points, and ends it when a non-looping sample runs
// out. The interpolation is 0 none, 1 linear, 2 quadratic.
void MixVoice(MixSettings& settings, MixChannel& channel, int64_t* accumulators, uint32_t frames,
              bool stereo, int interpolation);

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

// Makes a channel's sample geometry safe to mix: takes the data flags from
// the sample flags, keeps the loop inside the sample (or drops it), and
// positions within the 21-bit sample index.
void LimitChannelSample(MixChannel& channel);

// Copies data, length, loop points and flags of the channel's sample out of
// the module; false when the module has no such sample.
bool CopyModuleSample(const ModuleSlot& module, MixChannel& channel);

// Largest sample length the 21.11 positions can address.
constexpr uint32_t kMaxMixLength = (1u << 21) - 2;
