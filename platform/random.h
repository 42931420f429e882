// The run-time library's pseudo-random generator: one global state, seeded
// from the clock at start-up, drawing uniform integers below a range.
#pragma once

#include <cstdint>

namespace platform {

// Seeds from the clock, or with the number in TERVANE_RANDOM_SEED when the
// environment sets it (the same maps in every run).
void Randomize();
void SetRandomSeed(uint32_t seed);  // fixed seed, for tests and tools
// A uniform integer 0 .. range-1; 0 for a range of 0 or below.
int32_t Random(int32_t range);

}  // namespace platform
