// A small deterministic random source for the content tools: the same seed
// gives the same numbers on every machine and every run (the standard
// library's distributions do not promise that).
#pragma once

#include <cstdint>

namespace synth {

class RandomSource {
 public:
  explicit RandomSource(uint64_t seed) : state_(seed) {}

  // The next 64 random bits (splitmix64).
  uint64_t Next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  // Uniform in [0, 1).
  double Unit() { return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0); }
  // Uniform in [-1, 1).
  double Bipolar() { return Unit() * 2.0 - 1.0; }

 private:
  uint64_t state_;
};

}  // namespace synth
