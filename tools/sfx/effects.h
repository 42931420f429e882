// The game's eight sound effects, synthesised from fixed recipes and fixed
// seeds: every run gives the same samples.
#pragma once

#include <string>
#include <vector>

#include "tools/sfx/signal.h"

namespace synth {

constexpr double kEffectRate = 22050;

struct EffectSound {
  std::string name;  // the sound bank entry's name
  Signal signal;     // mono at kEffectRate, starting and ending at zero
};

// In sound bank order: 1 opening a cell, 2 a button, 3 the radiated area that
// ends the map, 4 a Geiger tick, 5 a new best time, 6 a map finished without
// a record, 7 a new map shown, 8 marking a cell.
std::vector<EffectSound> MakeEffectSounds();

}  // namespace synth
