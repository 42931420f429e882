#include "tools/fontc/glyph_cell.h"

namespace fontc {

GlyphCell::GlyphCell(int height)
    : height_(height), pixels_(static_cast<size_t>(height) * kCellWidth, kEmpty) {}

uint8_t GlyphCell::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= kCellWidth || y >= height_) return kEmpty;
  return pixels_[static_cast<size_t>(y) * kCellWidth + x];
}

void GlyphCell::Set(int x, int y, uint8_t value) {
  if (x < 0 || y < 0 || x >= kCellWidth || y >= height_) return;
  pixels_[static_cast<size_t>(y) * kCellWidth + x] = value;
}

void GlyphCell::AddCoverage(const toolkit::GlyphCoverage& glyph, int penX, int baseline) {
  for (int y = 0; y < glyph.rows; ++y) {
    for (int x = 0; x < glyph.width; ++x) {
      if (glyph.At(x, y) >= 128) {
        Set(penX + glyph.left + x, baseline - glyph.top + y, kBody);
      }
    }
  }
}

void GlyphCell::AddShadow() {
  GlyphCell before = *this;
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < kCellWidth; ++x) {
      if (before.At(x, y) != kEmpty) continue;
      if (before.At(x - 1, y) == kBody || before.At(x, y - 1) == kBody ||
          before.At(x - 1, y - 1) == kBody) {
        Set(x, y, kShade);
      }
    }
  }
}

void GlyphCell::AddOutline() {
  GlyphCell before = *this;
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < kCellWidth; ++x) {
      if (before.At(x, y) != kEmpty) continue;
      bool touches = false;
      for (int dy = -1; dy <= 1 && !touches; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
          uint8_t near = before.At(x + dx, y + dy);
          if (near == kBody || near == kShade) {
            touches = true;
            break;
          }
        }
      }
      if (touches) Set(x, y, kOutline);
    }
  }
}

int GlyphCell::InkColumns() const {
  int columns = 0;
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < kCellWidth; ++x) {
      if (At(x, y) != kEmpty && x + 1 > columns) columns = x + 1;
    }
  }
  return columns;
}

int GlyphCell::InkRows() const {
  int rows = 0;
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < kCellWidth; ++x) {
      if (At(x, y) != kEmpty) rows = y + 1;
    }
  }
  return rows;
}

void GlyphCell::ShiftRight(int dx) {
  if (dx <= 0) return;
  GlyphCell before = *this;
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < kCellWidth; ++x) {
      Set(x, y, before.At(x - dx, y));
    }
  }
}

void GlyphCell::AppendPacked(std::vector<uint8_t>& out) const {
  for (int y = 0; y < height_; ++y) {
    for (int byte = 0; byte < kRowBytes; ++byte) {
      uint8_t packed = 0;
      for (int i = 0; i < 4; ++i) {
        packed |= static_cast<uint8_t>((At(byte * 4 + i, y) & 3) << (2 * i));
      }
      out.push_back(packed);
    }
  }
}

}  // namespace fontc
