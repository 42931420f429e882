#include "tools/sfx/signal.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace synth {

Signal::Signal(double sampleRate, double seconds)
    : rate(sampleRate), samples(static_cast<size_t>(std::lround(sampleRate * seconds)), 0.0) {}

Curve Constant(double value) {
  return [value](double) { return value; };
}

Curve ExponentialGlide(double from, double to, double seconds) {
  return [=](double t) { return t >= seconds ? to : from * std::pow(to / from, t / seconds); };
}

void MixInto(Signal& target, const Signal& source, double atSeconds, double gain) {
  auto start = static_cast<size_t>(std::lround(atSeconds * target.rate));
  for (size_t i = 0; i < source.size() && start + i < target.size(); ++i) {
    target.samples[start + i] += source.samples[i] * gain;
  }
}

void Shape(Signal& signal, const Curve& gain) {
  for (size_t i = 0; i < signal.size(); ++i) signal.samples[i] *= gain(signal.Time(i));
}

void ApplyFades(Signal& signal, double fadeInSeconds, double fadeOutSeconds) {
  const double pi = std::acos(-1.0);
  size_t n = signal.size();
  auto fadeIn = std::min(n, static_cast<size_t>(std::lround(fadeInSeconds * signal.rate)));
  auto fadeOut = std::min(n, static_cast<size_t>(std::lround(fadeOutSeconds * signal.rate)));
  for (size_t i = 0; i < fadeIn; ++i) {
    signal.samples[i] *= 0.5 - 0.5 * std::cos(pi * static_cast<double>(i) / static_cast<double>(fadeIn));
  }
  for (size_t i = 0; i < fadeOut; ++i) {
    double weight = 0.5 - 0.5 * std::cos(pi * static_cast<double>(i) / static_cast<double>(fadeOut));
    signal.samples[n - 1 - i] *= weight;
  }
}

void RemoveOffset(Signal& signal) {
  if (signal.samples.empty()) return;
  double sum = 0;
  for (double x : signal.samples) sum += x;
  double mean = sum / static_cast<double>(signal.size());
  for (double& x : signal.samples) x -= mean;
}

double PeakLevel(const Signal& signal) {
  double peak = 0;
  for (double x : signal.samples) peak = std::max(peak, std::fabs(x));
  return peak;
}

double RmsLevel(const Signal& signal) {
  if (signal.samples.empty()) return 0;
  double sum = 0;
  for (double x : signal.samples) sum += x * x;
  return std::sqrt(sum / static_cast<double>(signal.size()));
}

void NormalisePeak(Signal& signal, double peak) {
  double current = PeakLevel(signal);
  if (current <= 0) return;
  for (double& x : signal.samples) x *= peak / current;
}

double Decibels(double level) {
  return level > 0 ? 20.0 * std::log10(level) : -std::numeric_limits<double>::infinity();
}

std::vector<int16_t> ToPcm16(const Signal& signal) {
  std::vector<int16_t> pcm(signal.size());
  for (size_t i = 0; i < signal.size(); ++i) {
    double value = std::round(signal.samples[i] * 32767.0);
    pcm[i] = static_cast<int16_t>(std::clamp(value, -32768.0, 32767.0));
  }
  return pcm;
}

std::vector<int8_t> ToPcm8(const Signal& signal) {
  std::vector<int8_t> pcm(signal.size());
  for (size_t i = 0; i < signal.size(); ++i) {
    double value = std::round(signal.samples[i] * 127.0);
    pcm[i] = static_cast<int8_t>(std::clamp(value, -128.0, 127.0));
  }
  return pcm;
}

}  // namespace synth
