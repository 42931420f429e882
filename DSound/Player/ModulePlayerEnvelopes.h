// Volume and panning envelopes of instruments: a list of (tick, value) points
// walked one tick at a time, with an optional sustain point and loop.
#pragma once

#include <cstdint>

namespace quelt {

constexpr uint8_t kEnvelopeOn = 0x01;
constexpr uint8_t kEnvelopeSustain = 0x02;
constexpr uint8_t kEnvelopeLoop = 0x04;
constexpr int kEnvelopeTop = 64;

// One envelope of an instrument. Points are pairs of u16: tick, value.
struct EnvelopeView {
  const uint16_t* points = nullptr;
  uint8_t count = 0;
  uint8_t sustain = 0;
  uint8_t loopStart = 0;
  uint8_t loopEnd = 0;
  uint8_t flags = 0;

  // Switched on and with at least one point to walk.
  bool Runs() const { return (flags & kEnvelopeOn) && count > 0 && points; }
  int TickOf(int point) const { return points[point * 2]; }
  int ValueOf(int point) const { return points[point * 2 + 1]; }
};

// Where a channel stands on one envelope. A new note starts at point 0 with
// the tick one before 0 (0xFFFF), so that the first step lands on tick 0.
struct EnvelopeCursor {
  uint8_t& point;
  uint16_t& tick;
};

// Advances one tick and returns the envelope's value (0..64).
int StepEnvelope(const EnvelopeView& envelope, EnvelopeCursor cursor, bool keyOn);

// Moves the cursor so that the next step lands on the given tick.
void SetEnvelopePosition(const EnvelopeView& envelope, EnvelopeCursor cursor, uint16_t tick);

}  // namespace quelt
