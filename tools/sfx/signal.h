// A mono sound being synthesised: samples as doubles (full scale = 1.0) at a
// fixed rate, with the few operations every recipe needs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace synth {

struct Signal {
  double rate = 22050;
  std::vector<double> samples;

  Signal() = default;
  Signal(double sampleRate, double seconds);
  size_t size() const { return samples.size(); }
  double Seconds() const { return static_cast<double>(samples.size()) / rate; }
  double Time(size_t index) const { return static_cast<double>(index) / rate; }
};

// A value that changes over time (seconds from the start of the sound).
using Curve = std::function<double(double)>;

Curve Constant(double value);
// From `from` to `to` over `seconds` (evenly in pitch), then holding.
Curve ExponentialGlide(double from, double to, double seconds);

// Adds `source` × gain into `target`, starting at `atSeconds`; the part that
// does not fit is dropped.
void MixInto(Signal& target, const Signal& source, double atSeconds, double gain = 1.0);
// Multiplies every sample by gain(t).
void Shape(Signal& signal, const Curve& gain);
// Raised-cosine fades at both ends, so the sound starts and ends at zero
// without a click.
void ApplyFades(Signal& signal, double fadeInSeconds, double fadeOutSeconds);
// Removes a constant offset (the mean).
void RemoveOffset(Signal& signal);

double PeakLevel(const Signal& signal);
double RmsLevel(const Signal& signal);
// Scales so that the largest magnitude becomes `peak` (nothing for silence).
void NormalisePeak(Signal& signal, double peak);
// Decibels relative to full scale of a linear level (-inf for 0).
double Decibels(double level);

// Rounded to 16 bits, clamped to the 16-bit range.
std::vector<int16_t> ToPcm16(const Signal& signal);
// Rounded to 8 bits (full scale 127), clamped.
std::vector<int8_t> ToPcm8(const Signal& signal);

}  // namespace synth
