// Volume and panning envelopes of instruments: a list of (tick, value) points
// walked one tick at a time, with an optional sustain point and loop.
#pragma once

#include <cstdint>

#include "model/Cmodule.h"

namespace quelt {

constexpr int kEnvelopeTop = 64;

// Switched on and with at least one point to walk.
bool EnvelopeRuns(const Envelope& envelope);

// Where a channel stands on one envelope. A new note starts at point 0 with
// the tick one before 0 (0xFFFF), so that the first step lands on tick 0.
struct EnvelopeCursor {
  uint8_t& point;
  uint16_t& tick;
};

// Advances one tick and returns the envelope's value (0..64). The envelope
// must run.
int StepEnvelope(const Envelope& envelope, EnvelopeCursor cursor, bool keyOn);

// Moves the cursor so that the next step lands on the given tick.
void SetEnvelopePosition(const Envelope& envelope, EnvelopeCursor cursor, uint16_t tick);

}  // namespace quelt
