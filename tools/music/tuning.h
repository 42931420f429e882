// Tuning of synthesised instrument samples. A sample made at rate R =
// 8363 × 2^(k/12) Hz that holds the pitch of note `base` sounds right on
// every note when its relative note is k − (base − C-4): the player plays
// note n at 8363 × 2^((n − C-4 + relative note) / 12) samples per second.
#pragma once

#include <cstdint>

namespace music {

constexpr int kMiddleC = 49;  // C-4 in the module's note numbering (1 = C-0)

constexpr int NoteOf(int octave, int semitone) { return 1 + octave * 12 + semitone; }

// Concert pitch of a note (A-4 = 440 Hz).
double NoteFrequency(int note);

// The sample rate 8363 × 2^(steps / 12).
double TunedRate(int steps);

// The relative note that makes a sample made at TunedRate(steps) with the
// pitch of `base` play in tune.
int8_t RelativeNote(int steps, int base);

}  // namespace music
