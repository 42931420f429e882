// The sound bank "sounds.dat": the eight effects as RIFF WAVE entries of a
// resource pack (key zero, not scrambled), each delta-coded with the code
// width that keeps it faithful in the fewest bytes.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "tools/sfx/effects.h"

namespace synth {

// The least signal-to-error ratio (dB) a coded effect must keep.
constexpr double kMinimumSignalToError = 40.0;

struct BankChoice {
  uint8_t method = 0;                 // 34, 36 or 38
  std::array<double, 3> ratios = {};  // signal-to-error in dB with 4-, 6- and 8-bit codes
  size_t storedBytes = 0;             // of the chosen coding
};

// Signal-to-error ratio (dB) of the samples of a 16-bit WAVE file after
// coding with a delta method that keeps the header and decoding again.
double DeltaSignalToError(const std::vector<uint8_t>& wave, uint8_t method);

// The narrowest code width whose ratio reaches `minimum`; the 8-bit codes
// when none does.
BankChoice ChooseDeltaMethod(const std::vector<uint8_t>& wave, double minimum = kMinimumSignalToError);

// The pack file, with the choice made for every effect (in bank order).
std::vector<uint8_t> BuildSoundBank(const std::vector<EffectSound>& sounds, std::vector<BankChoice>& choices);

}  // namespace synth
