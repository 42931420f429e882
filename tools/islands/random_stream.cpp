#include "tools/islands/random_stream.h"

namespace islands {

uint64_t MixBits(uint64_t z) {
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

uint64_t RandomStream::Next() {
  state_ += 0x9E3779B97F4A7C15ull;
  return MixBits(state_);
}

int RandomStream::Below(int range) {
  // Rejection keeps every value equally likely.
  uint64_t span = static_cast<uint64_t>(range);
  uint64_t limit = UINT64_MAX - UINT64_MAX % span;
  uint64_t value;
  do {
    value = Next();
  } while (value >= limit);
  return static_cast<int>(value % span);
}

RandomStream RandomStream::Fork(uint64_t index) const {
  return RandomStream(MixBits(state_ ^ MixBits(index + 0x632BE59BD9B4E019ull)));
}

}  // namespace islands
