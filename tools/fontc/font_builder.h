// Makes a whole bitmap font file: the 240-byte width table (with the cell
// geometry in the entries of codes 28, 29 and 31) and the 224 glyphs of the
// codes 32..255, rendered from a TrueType face.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/fontc/glyph_cell.h"

namespace fontc {

struct FontStyle {
  std::string facePath;
  int height = 16;            // glyph rows
  bool shadow = false;        // drop shadow in pixel value 2
  bool outline = false;       // dark ring in pixel value 3
  bool capitals = false;      // small letters drawn as capitals
  bool segmentDigits = false; // 0..9 as seven-segment figures
};

struct BitmapFont {
  int height = 0;
  uint8_t widths[256] = {};          // advance width per character code
  std::vector<GlyphCell> glyphs;     // codes 32..255

  // The file bytes.
  std::vector<uint8_t> Serialise() const;
};

BitmapFont BuildFont(const FontStyle& style);

// A picture of the font for review (binary PPM): every glyph in a grid and a
// sample line laid out with the width table.
std::vector<uint8_t> PreviewPicture(const BitmapFont& font);

}  // namespace fontc
