// A seeded stream of random numbers for the island generator: the same seed
// gives the same islands and layouts on every run, build and machine.
#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace islands {

// Scrambles 64 bits so that nearby inputs give unrelated outputs.
uint64_t MixBits(uint64_t value);

class RandomStream {
 public:
  explicit RandomStream(uint64_t seed) : state_(seed) {}

  uint64_t Next();
  // Uniform in 0 .. range - 1; range must be at least 1.
  int Below(int range);
  // Uniform in low .. high, both included.
  int Between(int low, int high) { return low + Below(high - low + 1); }
  // A stream of its own for the numbered sub-task, however much of this one
  // has been used: each map draws from its own stream.
  RandomStream Fork(uint64_t index) const;

  template <typename T>
  void Shuffle(std::vector<T>& items) {
    for (size_t i = items.size(); i > 1; --i) {
      size_t j = static_cast<size_t>(Below(static_cast<int>(i)));
      std::swap(items[i - 1], items[j]);
    }
  }

 private:
  uint64_t state_;
};

}  // namespace islands
