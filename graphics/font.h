// The game's bitmap fonts: ".fnt" files of 2-bit glyphs with a width table,
// up to ten loaded at start-up and kept for the whole run.
//
// File layout (from the given offset): 240 bytes of widths, byte k the
// advance of character code k + 16, then the glyphs of codes 32..255, G bytes
// each. Three table bytes give the geometry: 12 (code 28) the cell width, a
// row taking cell width div 4 bytes; 13 (code 29) the height in rows; 15
// (code 31) G. Pixels are 2 bits, least significant first: 0 transparent,
// 1..3 the text colours.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

constexpr int kMaxFonts = 10;
constexpr int kFontWidthTableSize = 240;
constexpr int kFontGlyphCount = 224;
constexpr int kFontFirstGlyph = 32;

struct BitmapFont {
  std::array<uint8_t, kFontWidthTableSize> widths{};
  // G x 224 bytes, followed by zero padding so that whole-word row reads of
  // any glyph stay inside the allocation.
  std::vector<uint8_t> glyphs;

  int Width(uint8_t character) const { return character < 16 ? 0 : widths[character - 16]; }
  int CellWidth() const { return widths[12]; }
  int RowBytes() const { return widths[12] / 4; }
  int Height() const { return widths[13]; }
  int GlyphBytes() const { return widths[15]; }
};

extern uint8_t FontCount;     // fonts loaded, 0..10
extern uint8_t CurrentFont;   // 1-based; the last one loaded
extern int32_t FontError;     // 2 = a font was refused because ten were loaded

// Loads a font from a file at a byte offset and makes it current; the space
// gets 2 pixels wider. An eleventh font is refused (FontError = 2). A missing
// or short file is a run-time input/output error.
void LoadFont(std::string_view fileName, int64_t offset);
// Makes font n current when n is not above the font count.
void SelectFont(int n);
// The current font, or none before any font is loaded.
const BitmapFont* CurrentFontData();
// Forgets every font (tests and fuzzers).
void UnloadAllFonts();
