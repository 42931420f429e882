// One glyph of a bitmap font while it is being made: a grid of 2-bit pixel
// values (0 transparent, 1 body, 2 shade, 3 dark outline), at most 16
// columns wide because the game draws only the first 16 pixels of a row.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/common/glyph_source.h"

namespace fontc {

constexpr int kCellWidth = 16;
constexpr int kRowBytes = kCellWidth / 4;

enum PixelValue : uint8_t { kEmpty = 0, kBody = 1, kShade = 2, kOutline = 3 };

class GlyphCell {
 public:
  explicit GlyphCell(int height);

  int Height() const { return height_; }
  uint8_t At(int x, int y) const;
  void Set(int x, int y, uint8_t value);  // ignores points outside the cell

  // Marks as body every covered pixel of the coverage (half coverage or
  // more), its pen position at column penX and its baseline at row baseline.
  void AddCoverage(const toolkit::GlyphCoverage& glyph, int penX, int baseline);
  // A one-pixel drop shadow right of and below the body.
  void AddShadow();
  // A one-pixel dark ring around body and shadow (eight neighbours).
  void AddOutline();

  // Columns from 0 to the last one holding any pixel (0 for an empty cell).
  int InkColumns() const;
  int InkRows() const;  // same for rows
  // Moves everything right by dx columns (pixels pushed out are lost).
  void ShiftRight(int dx);

  // The file form: rows of 4 bytes, pixel 0 in the low bits of byte 0.
  void AppendPacked(std::vector<uint8_t>& out) const;

 private:
  int height_;
  std::vector<uint8_t> pixels_;
};

}  // namespace fontc
