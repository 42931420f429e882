// Level curves over time for shaping synthesised sounds.
#pragma once

#include <utility>
#include <vector>

#include "tools/sfx/signal.h"

namespace synth {

// Straight lines between (seconds, level) points; the first level before the
// first point, the last level after the last point.
Curve Breakpoints(std::vector<std::pair<double, double>> points);

// exp(-t / timeConstant).
Curve Decay(double timeConstant);

// A raised-cosine rise over `attackSeconds`, then exp(-(t - attack) / timeConstant).
Curve AttackDecay(double attackSeconds, double timeConstant);

}  // namespace synth
