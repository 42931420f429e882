// The building blocks the composition is written with: its channels, event
// text helpers, and figures that recur (gliding pad chords, broken chords,
// arpeggio shimmers, a bell echo).
#pragma once

#include <array>
#include <string>
#include <vector>

#include "tools/music/score.h"

namespace music {

enum Channel : int {
  kPad1 = 0,
  kPad2,
  kPad3,
  kBassChannel,
  kBellChannel,
  kEchoChannel,
  kWhistleChannel,
  kPluckChannel,
  kKickChannel,
  kShakerChannel,
  kSurfChannel,
  kCounterChannel,
};

// "ROW:TEXT " for a line.
std::string Event(int row, const std::string& text);
// The same event on rows from, from + step, ... up to `to`.
std::string Repeat(int from, int to, const std::string& text, int step = 1);

// Three pad voices glide (tone portamento over three rows) to each chord in
// turn.
struct PadChord {
  int row;
  const char* voices[3];
};
void PadChords(Score& score, int pattern, const std::vector<PadChord>& chords);

// The pads breathe with the surf: their volume rises and falls once every
// `waveRows` rows (a wave of the surf), between `low` and `high`, cresting a
// third of the way in as the surf does; written on every row of the pattern.
void PadBreath(Score& score, int pattern, int waveRows, int low, int high);

// Four chord tones, low to high.
using Tones = std::array<const char*, 4>;
// Eighth notes over half a bar: tones 1, 3, 2, 4.
void BrokenChord(Score& score, int pattern, int channel, int row, const Tones& tones);

// A plucked note held in an arpeggio for half a bar.
struct ShimmerNote {
  int row;
  const char* note;
  const char* arpeggio;  // the arpeggio effect, "0xy": x and y semitones above the note
};
void Shimmer(Score& score, int pattern, int channel, const std::vector<ShimmerNote>& notes);

// Repeats a channel three rows later on another, at half the volume and
// panned to the right.
void Echo(Score& score, int pattern, int from, int to);

}  // namespace music
