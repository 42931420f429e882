#include "tools/sfx/filter.h"

#include <algorithm>
#include <cmath>

namespace synth {

void Biquad::Set(FilterKind kind, double cutoff, double q, double rate) {
  const double pi = std::acos(-1.0);
  cutoff = std::clamp(cutoff, 10.0, rate * 0.45);
  double w = 2.0 * pi * cutoff / rate;
  double cosw = std::cos(w);
  double alpha = std::sin(w) / (2.0 * q);
  double a0 = 1.0 + alpha;
  double b0 = 0, b1 = 0, b2 = 0;
  switch (kind) {
    case FilterKind::Lowpass:
      b0 = b2 = (1.0 - cosw) / 2.0;
      b1 = 1.0 - cosw;
      break;
    case FilterKind::Highpass:
      b0 = b2 = (1.0 + cosw) / 2.0;
      b1 = -(1.0 + cosw);
      break;
    case FilterKind::Bandpass:  // peak gain 1 at the centre
      b0 = alpha;
      b2 = -alpha;
      break;
  }
  b0_ = b0 / a0;
  b1_ = b1 / a0;
  b2_ = b2 / a0;
  a1_ = -2.0 * cosw / a0;
  a2_ = (1.0 - alpha) / a0;
}

double Biquad::Process(double x) {
  double y = b0_ * x + b1_ * x1_ + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
  x2_ = x1_;
  x1_ = x;
  y2_ = y1_;
  y1_ = y;
  return y;
}

void Filter(Signal& signal, FilterKind kind, const Curve& cutoff, double q) {
  constexpr size_t kUpdateEvery = 16;
  Biquad filter;
  for (size_t i = 0; i < signal.size(); ++i) {
    if (i % kUpdateEvery == 0) filter.Set(kind, cutoff(signal.Time(i)), q, signal.rate);
    signal.samples[i] = filter.Process(signal.samples[i]);
  }
}

void Filter(Signal& signal, FilterKind kind, double cutoff, double q, int passes) {
  for (int pass = 0; pass < passes; ++pass) Filter(signal, kind, Constant(cutoff), q);
}

void Smooth(Signal& signal, double cutoff) {
  const double pi = std::acos(-1.0);
  double keep = std::exp(-2.0 * pi * cutoff / signal.rate);
  double state = 0;
  for (double& x : signal.samples) {
    state = keep * state + (1.0 - keep) * x;
    x = state;
  }
}

}  // namespace synth
