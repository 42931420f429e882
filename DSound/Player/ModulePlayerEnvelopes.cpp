// The envelope interpreter: one step per tick for each running envelope.
#include "ModulePlayerEnvelopes.h"

#include <algorithm>

namespace quelt {

namespace {

int ClampValue(int64_t value) {
  return static_cast<int>(std::clamp<int64_t>(value, 0, kEnvelopeTop));
}

// Straight line from the point to the next one, at the cursor's tick.
int Interpolate(const EnvelopeView& envelope, int point, int tick) {
  const int x0 = envelope.TickOf(point);
  const int x1 = envelope.TickOf(point + 1);
  const int64_t y0 = envelope.ValueOf(point);
  const int64_t y1 = envelope.ValueOf(point + 1);
  const int span = x1 - x0;
  if (span <= 0) return ClampValue(y0);
  const int into = tick - x0;
  return ClampValue((y0 * (span - into) + into * y1) / span);
}

}  // namespace

int StepEnvelope(const EnvelopeView& envelope, EnvelopeCursor cursor, bool keyOn) {
  if (!envelope.Runs()) return kEnvelopeTop;
  const int last = envelope.count - 1;
  // A cursor left over from an instrument with more points.
  if (cursor.point > last) cursor.point = static_cast<uint8_t>(last);

  if ((envelope.flags & kEnvelopeSustain) && keyOn && cursor.point == envelope.sustain)
    return ClampValue(envelope.ValueOf(cursor.point));

  ++cursor.tick;
  if ((envelope.flags & kEnvelopeLoop) && cursor.point >= envelope.loopEnd) {
    cursor.point = static_cast<uint8_t>(std::min<int>(envelope.loopStart, last));
    cursor.tick = static_cast<uint16_t>(envelope.TickOf(cursor.point));
  }
  if (cursor.point == last) {
    --cursor.tick;
    return ClampValue(envelope.ValueOf(last));
  }
  if (cursor.tick >= envelope.TickOf(cursor.point + 1)) ++cursor.point;
  if (cursor.point == last) return ClampValue(envelope.ValueOf(last));
  return Interpolate(envelope, cursor.point, cursor.tick);
}

void SetEnvelopePosition(const EnvelopeView& envelope, EnvelopeCursor cursor, uint16_t tick) {
  if (!envelope.Runs()) return;
  const int last = envelope.count - 1;
  int point = 0;
  while (point < last && tick >= envelope.TickOf(point + 1)) ++point;
  cursor.point = static_cast<uint8_t>(point);
  cursor.tick = point == last ? static_cast<uint16_t>(envelope.TickOf(last))
                              : static_cast<uint16_t>(tick - 1);
}

}  // namespace quelt
