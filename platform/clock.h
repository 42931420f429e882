// The system millisecond tick count and sleeping.
#pragma once

#include <cstdint>

namespace platform {

// Milliseconds since an arbitrary start, wrapping at 2^32.
uint32_t GetTickCount();
void Sleep(uint32_t milliseconds);

// Tests replace the tick source (to put the counter near 2^31 or 2^32, or to
// step time by hand); nullptr restores the system counter.
using TickSource = uint32_t (*)();
void SetTickSource(TickSource source);

}  // namespace platform
