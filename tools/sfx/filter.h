// Filters for shaping synthesised sound: a two-pole section (low-, high- and
// band-pass, cookbook formulas) whose cutoff may move over time, and a
// one-pole smoother.
#pragma once

#include "tools/sfx/signal.h"

namespace synth {

enum class FilterKind { Lowpass, Highpass, Bandpass };

class Biquad {
 public:
  // Cutoff (or centre) in Hz, resonance q (0.707 = no peak).
  void Set(FilterKind kind, double cutoff, double q, double rate);
  double Process(double x);

 private:
  double b0_ = 1, b1_ = 0, b2_ = 0, a1_ = 0, a2_ = 0;
  double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

// Runs the signal through a two-pole filter whose cutoff follows `cutoff`
// (updated every few samples).
void Filter(Signal& signal, FilterKind kind, const Curve& cutoff, double q = 0.7071);
// The same with a fixed cutoff, applied `passes` times for a steeper slope.
void Filter(Signal& signal, FilterKind kind, double cutoff, double q = 0.7071, int passes = 1);

// One-pole low-pass smoothing with the given cutoff.
void Smooth(Signal& signal, double cutoff);

}  // namespace synth
