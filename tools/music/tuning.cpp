#include "tools/music/tuning.h"

#include <cmath>

namespace music {

double NoteFrequency(int note) { return 440.0 * std::pow(2.0, (note - NoteOf(4, 9)) / 12.0); }

double TunedRate(int steps) { return 8363.0 * std::pow(2.0, steps / 12.0); }

int8_t RelativeNote(int steps, int base) { return static_cast<int8_t>(steps - (base - kMiddleC)); }

}  // namespace music
