#include "tools/fontc/segment_digits.h"

#include <cstdint>

namespace fontc {

namespace {

// Segment bits: a top, b upper right, c lower right, d bottom, e lower left,
// f upper left, g middle.
enum Segment : uint8_t { kA = 1, kB = 2, kC = 4, kD = 8, kE = 16, kF = 32, kG = 64 };

constexpr uint8_t kDigitSegments[10] = {
    kA | kB | kC | kD | kE | kF,       // 0
    kB | kC,                           // 1
    kA | kB | kG | kE | kD,            // 2
    kA | kB | kG | kC | kD,            // 3
    kF | kG | kB | kC,                 // 4
    kA | kF | kG | kC | kD,            // 5
    kA | kF | kG | kE | kD | kC,       // 6
    kA | kB | kC,                      // 7
    kA | kB | kC | kD | kE | kF | kG,  // 8
    kA | kB | kC | kD | kF | kG,       // 9
};

void FillBox(GlyphCell& cell, int left, int top, int right, int bottom, uint8_t value) {
  for (int y = top; y <= bottom; ++y) {
    for (int x = left; x <= right; ++x) cell.Set(x, y, value);
  }
}

}  // namespace

void DrawSegmentDigit(GlyphCell& cell, int digit, int left, int top, int width, int height) {
  const int thick = 2;
  const int right = left + width - 1;
  const int bottom = top + height - 1;
  const int middle = top + (height - thick) / 2;
  const uint8_t lit = kDigitSegments[digit % 10];
  struct Box {
    Segment segment;
    int left, top, right, bottom;
  };
  const Box boxes[] = {
      {kA, left + 1, top, right - 1, top + thick - 1},
      {kG, left + 1, middle, right - 1, middle + thick - 1},
      {kD, left + 1, bottom - thick + 1, right - 1, bottom},
      {kF, left, top + 1, left + thick - 1, middle - 1},
      {kB, right - thick + 1, top + 1, right, middle - 1},
      {kE, left, middle + thick, left + thick - 1, bottom - 1},
      {kC, right - thick + 1, middle + thick, right, bottom - 1},
  };
  // Unlit segments first, so that lit ones win where two segments touch.
  for (bool drawLit : {false, true}) {
    for (const Box& box : boxes) {
      if (((lit & box.segment) != 0) == drawLit) {
        FillBox(cell, box.left, box.top, box.right, box.bottom, drawLit ? kBody : kShade);
      }
    }
  }
}

}  // namespace fontc
