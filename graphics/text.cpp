#include "graphics/text.h"

#include <cstddef>
#include <cstring>

#include "graphics/font.h"

uint8_t LetterSpacing = 1;
uint32_t TextColour1 = 0;
uint32_t TextColour2 = 0;
uint32_t TextColour3 = 0;
TextClipRect TextClip;

namespace {

struct TextTarget {
  uint8_t* pixels = nullptr;
  int width = 0;
  int height = 0;
  int bytesPerPixel = 0;
  int pitch = 0;
};

TextTarget Target;

uint32_t ReadRowWord(const uint8_t* row) {
  uint32_t word;
  std::memcpy(&word, row, 4);
  return word;
}

// Writes `columns` pixels of each glyph row from column x of the target,
// the row word shifted past the `skip` columns clipped on the left.
template <typename PixelType>
void WriteGlyphRows(const BitmapFont& font, const uint8_t* glyph, int x, int y, int skip, int columns) {
  const uint32_t colours[4] = {0, TextColour1, TextColour2, TextColour3};
  const uint8_t* row = glyph;
  for (int r = 0; r < font.Height(); ++r, row += font.RowBytes()) {
    int line = y + r;
    if (line < 0 || line >= Target.height) continue;
    uint32_t word = skip < 16 ? ReadRowWord(row) >> (2 * skip) : 0;
    uint8_t* destination = Target.pixels + static_cast<ptrdiff_t>(line) * Target.pitch;
    for (int c = 0; c < columns; ++c, word >>= 2) {
      uint32_t value = word & 3;
      int column = x + c;
      if (value == 0 || column < 0 || column >= Target.width) continue;
      PixelType pixel = static_cast<PixelType>(colours[value]);
      std::memcpy(destination + static_cast<ptrdiff_t>(column) * sizeof(PixelType), &pixel, sizeof pixel);
    }
  }
}

}  // namespace

void SetTextTarget(void* pixels, int width, int height, int bytesPerPixel, int pitchBytes) {
  Target = {static_cast<uint8_t*>(pixels), width, height, bytesPerPixel, pitchBytes};
}

void DrawGlyph(int x, int y, uint8_t character) {
  const BitmapFont* font = CurrentFontData();
  if (font == nullptr || Target.pixels == nullptr || character < kFontFirstGlyph) return;
  int width = font->Width(character);
  if (x + width <= TextClip.left || x > TextClip.right) return;
  int skip = 0;
  if (x < TextClip.left) {
    skip = TextClip.left - x;
    width -= skip;
    x = TextClip.left;
  }
  if (font->Width(character) + x > TextClip.right) width = TextClip.right - x + 1;
  const uint8_t* glyph = font->glyphs.data() + static_cast<size_t>(character - kFontFirstGlyph) * font->GlyphBytes();
  switch (Target.bytesPerPixel) {
    case 1: WriteGlyphRows<uint8_t>(*font, glyph, x, y, skip, width); break;
    case 2: WriteGlyphRows<uint16_t>(*font, glyph, x, y, skip, width); break;
    case 4: WriteGlyphRows<uint32_t>(*font, glyph, x, y, skip, width); break;
    default: break;
  }
}

void DrawString(int x, int y, std::string_view text) {
  const BitmapFont* font = CurrentFontData();
  for (char c : text) {
    uint8_t character = static_cast<uint8_t>(c);
    DrawGlyph(x, y, character);
    x += (font != nullptr ? font->Width(character) : 0) + LetterSpacing;
  }
}

int TextWidth(std::string_view text) {
  const BitmapFont* font = CurrentFontData();
  int width = 0;
  for (char c : text) width += (font != nullptr ? font->Width(static_cast<uint8_t>(c)) : 0) + LetterSpacing;
  return width - LetterSpacing;
}

void DrawStringCentred(int x, int y, std::string_view text) { DrawString(x - TextWidth(text) / 2, y, text); }
