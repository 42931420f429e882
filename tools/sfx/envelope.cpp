#include "tools/sfx/envelope.h"

#include <cmath>
#include <stdexcept>

namespace synth {

Curve Breakpoints(std::vector<std::pair<double, double>> points) {
  if (points.empty()) throw std::invalid_argument("an envelope needs a point");
  for (size_t i = 1; i < points.size(); ++i) {
    if (points[i].first < points[i - 1].first) throw std::invalid_argument("envelope points go back in time");
  }
  return [points = std::move(points)](double t) {
    if (t <= points.front().first) return points.front().second;
    for (size_t i = 1; i < points.size(); ++i) {
      auto [t1, v1] = points[i];
      if (t < t1) {
        auto [t0, v0] = points[i - 1];
        return v0 + (v1 - v0) * (t - t0) / (t1 - t0);
      }
    }
    return points.back().second;
  };
}

Curve Decay(double timeConstant) {
  return [timeConstant](double t) { return std::exp(-t / timeConstant); };
}

Curve AttackDecay(double attackSeconds, double timeConstant) {
  const double pi = std::acos(-1.0);
  return [=](double t) {
    if (t < attackSeconds) return 0.5 - 0.5 * std::cos(pi * t / attackSeconds);
    return std::exp(-(t - attackSeconds) / timeConstant);
  };
}

}  // namespace synth
