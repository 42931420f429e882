#include "platform/random.h"

#include <chrono>
#include <cstdlib>

namespace platform {
namespace {

uint32_t g_state = 0;

}  // namespace

void Randomize() {
  // A fixed seed from the environment replays the same maps (for finding a
  // reported map again, and for the tests that play the game).
  if (const char* fixed = std::getenv("TERVANE_RANDOM_SEED"); fixed != nullptr && *fixed != '\0') {
    char* end = nullptr;
    unsigned long long seed = std::strtoull(fixed, &end, 10);
    if (*end == '\0') {
      g_state = static_cast<uint32_t>(seed);
      return;
    }
  }
  auto now = std::chrono::high_resolution_clock::now().time_since_epoch().count();
  g_state = static_cast<uint32_t>(now ^ (now >> 32));
}

void SetRandomSeed(uint32_t seed) { g_state = seed; }

int32_t Random(int32_t range) {
  // Linear congruential step; the high bits of the 32-bit state scaled into
  // the range, as the run-time library does.
  g_state = g_state * 134775813u + 1u;
  if (range <= 0) return 0;
  return static_cast<int32_t>((static_cast<uint64_t>(g_state) * static_cast<uint32_t>(range)) >> 32);
}

}  // namespace platform
