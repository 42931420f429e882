// The envelope interpreter: one step per tick for each running envelope.
#include "player/ModulePlayerEnvelopes.h"

#include <algorithm>

namespace quelt {

namespace {

int TickOf(const Envelope& envelope, int point) { return envelope.points[point * 2]; }
int ValueOf(const Envelope& envelope, int point) { return envelope.points[point * 2 + 1]; }

int ClampValue(int64_t value) {
  return static_cast<int>(std::clamp<int64_t>(value, 0, kEnvelopeTop));
}

// Straight line from the point to the next one, at the cursor's tick.
int Interpolate(const Envelope& envelope, int point, int tick) {
  const int x0 = TickOf(envelope, point);
  const int x1 = TickOf(envelope, point + 1);
  const int64_t y0 = ValueOf(envelope, point);
  const int64_t y1 = ValueOf(envelope, point + 1);
  const int span = x1 - x0;
  if (span <= 0) return ClampValue(y0);
  const int into = tick - x0;
  return ClampValue((y0 * (span - into) + into * y1) / span);
}

}  // namespace

bool EnvelopeRuns(const Envelope& envelope) {
  return (envelope.flags & EnvelopeFlag::On) && envelope.count > 0 &&
         envelope.points.size() >= envelope.count * 2u;
}

int StepEnvelope(const Envelope& envelope, EnvelopeCursor cursor, bool keyOn) {
  if (!EnvelopeRuns(envelope)) return kEnvelopeTop;
  const int last = envelope.count - 1;
  // A cursor left over from an instrument with more points.
  if (cursor.point > last) cursor.point = static_cast<uint8_t>(last);

  if ((envelope.flags & EnvelopeFlag::Sustain) && keyOn && cursor.point == envelope.sustain)
    return ClampValue(ValueOf(envelope, cursor.point));

  ++cursor.tick;
  if ((envelope.flags & EnvelopeFlag::Loop) && cursor.point >= envelope.loopEnd) {
    cursor.point = static_cast<uint8_t>(std::min<int>(envelope.loopStart, last));
    cursor.tick = static_cast<uint16_t>(TickOf(envelope, cursor.point));
  }
  if (cursor.point == last) {
    --cursor.tick;
    return ClampValue(ValueOf(envelope, last));
  }
  if (cursor.tick >= TickOf(envelope, cursor.point + 1)) ++cursor.point;
  if (cursor.point == last) return ClampValue(ValueOf(envelope, last));
  return Interpolate(envelope, cursor.point, cursor.tick);
}

void SetEnvelopePosition(const Envelope& envelope, EnvelopeCursor cursor, uint16_t tick) {
  if (!EnvelopeRuns(envelope)) return;
  const int last = envelope.count - 1;
  int point = 0;
  while (point < last && tick >= TickOf(envelope, point + 1)) ++point;
  cursor.point = static_cast<uint8_t>(point);
  cursor.tick = point == last ? static_cast<uint16_t>(TickOf(envelope, last))
                              : static_cast<uint16_t>(tick - 1);
}

}  // namespace quelt
