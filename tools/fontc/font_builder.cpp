#include "tools/fontc/font_builder.h"

#include <algorithm>
#include <string>

#include "tools/common/glyph_source.h"
#include "tools/common/output_file.h"
#include "tools/fontc/segment_digits.h"

namespace fontc {

namespace {

constexpr int kFirstCode = 32;
constexpr int kGlyphCount = 224;
constexpr int kSmallestPixelSize = 5;

// Room the decorations take around the body.
struct Margins {
  int left, top, right, bottom;
};

Margins MarginsOf(const FontStyle& style) {
  int ring = style.outline ? 1 : 0;
  int drop = style.shadow ? 1 : 0;
  return {ring, ring, ring + drop, ring + drop};
}

bool IsDrawnCode(int code) { return code >= 32 && (code < 127 || code >= 160); }

// Latin-1 codes are their own Unicode code points; capitals replace small
// letters when the style asks for it.
uint32_t CodePointOf(int code, bool capitals) {
  if (!capitals) return static_cast<uint32_t>(code);
  if (code >= 'a' && code <= 'z') return static_cast<uint32_t>(code - 32);
  if (code >= 224 && code <= 254 && code != 247) return static_cast<uint32_t>(code - 32);
  if (code == 255) return 0x178;
  return static_cast<uint32_t>(code);
}

// The largest pixel size at which every printable ASCII glyph fits the rows
// of the cell; returns the size and the baseline row.
std::pair<int, int> ChooseSize(toolkit::GlyphSource& source, const FontStyle& style,
                               const Margins& margins) {
  for (int pixels = style.height * 2; pixels >= kSmallestPixelSize; --pixels) {
    source.SetPixelSize(pixels);
    int above = 0, below = 0;
    for (int code = 33; code < 127; ++code) {
      toolkit::GlyphCoverage glyph = source.Render(CodePointOf(code, style.capitals), true);
      if (glyph.rows == 0) continue;
      above = std::max(above, glyph.top);
      below = std::max(below, glyph.rows - glyph.top);
    }
    if (above + below + margins.top + margins.bottom <= style.height) {
      return {pixels, margins.top + above};
    }
  }
  toolkit::Fail("the face has no size that fits " + std::to_string(style.height) + " rows");
}

bool FitsRows(const toolkit::GlyphCoverage& glyph, int baseline, const Margins& margins,
              int height) {
  return baseline - glyph.top >= margins.top &&
         baseline - glyph.top + glyph.rows <= height - margins.bottom;
}

bool FitsColumns(const toolkit::GlyphCoverage& glyph, const Margins& margins) {
  return glyph.width <= kCellWidth - margins.left - margins.right;
}

// Renders one character at the font's size. A character taller than the
// cell (accented capitals) is drawn at the next smaller size that fits; one
// wider than the cell is squeezed horizontally. The body starts at the left
// margin.
GlyphCell RenderCharacter(toolkit::GlyphSource& source, uint32_t codePoint, int pixels,
                          int baseline, const FontStyle& style, const Margins& margins) {
  GlyphCell cell(style.height);
  int height = pixels;
  toolkit::GlyphCoverage glyph = source.Render(codePoint, true);
  while (!FitsRows(glyph, baseline, margins, style.height) && height > kSmallestPixelSize) {
    source.SetPixelSize(--height);
    glyph = source.Render(codePoint, true);
  }
  for (int width = height - 1; !FitsColumns(glyph, margins) && width >= kSmallestPixelSize;
       --width) {
    source.SetPixelSize(width, height);
    glyph = source.Render(codePoint, true);
  }
  cell.AddCoverage(glyph, margins.left - glyph.left, baseline);
  source.SetPixelSize(pixels);
  return cell;
}

GlyphCell SegmentDigitCell(int digit, const FontStyle& style, const Margins& margins) {
  GlyphCell cell(style.height);
  int rows = style.height - margins.top - margins.bottom;
  int columns = std::min(kCellWidth - margins.left - margins.right, rows / 2 + 2);
  DrawSegmentDigit(cell, digit, margins.left, margins.top, columns, rows);
  return cell;
}

void Decorate(GlyphCell& cell, const FontStyle& style) {
  if (style.shadow) cell.AddShadow();
  if (style.outline) cell.AddOutline();
}

// Advance width: the inked columns, so that with the game's one pixel of
// letter spacing neighbouring outlines just touch and bodies never overlap.
int AdvanceOf(const GlyphCell& cell, const FontStyle& style) {
  int columns = cell.InkColumns();
  if (columns == 0) return 0;
  return std::max(1, columns - (style.outline ? 1 : 0));
}

// Digits share one advance (centred in it), so that counters and columns
// of numbers do not shift when a figure changes.
void MakeTabularDigits(BitmapFont& font) {
  int advance = 0;
  for (int code = '0'; code <= '9'; ++code) advance = std::max<int>(advance, font.widths[code]);
  for (int code = '0'; code <= '9'; ++code) {
    font.glyphs[code - kFirstCode].ShiftRight((advance - font.widths[code]) / 2);
    font.widths[code] = static_cast<uint8_t>(advance);
  }
}

}  // namespace

BitmapFont BuildFont(const FontStyle& style) {
  if (style.height < 6 || style.height > 63) {
    toolkit::Fail("glyph height must lie between 6 and 63 rows");
  }
  toolkit::GlyphSource source(style.facePath);
  const Margins margins = MarginsOf(style);
  const auto [pixels, baseline] = ChooseSize(source, style, margins);

  BitmapFont font;
  font.height = style.height;
  font.glyphs.assign(kGlyphCount, GlyphCell(style.height));
  for (int code = 33; code < 256; ++code) {
    if (!IsDrawnCode(code) || code == 160) continue;
    GlyphCell cell = (style.segmentDigits && code >= '0' && code <= '9')
                         ? SegmentDigitCell(code - '0', style, margins)
                         : RenderCharacter(source, CodePointOf(code, style.capitals), pixels,
                                           baseline, style, margins);
    Decorate(cell, style);
    font.widths[code] = static_cast<uint8_t>(AdvanceOf(cell, style));
    font.glyphs[code - kFirstCode] = cell;
  }
  MakeTabularDigits(font);

  // The game widens the space by 2 when it loads a font.
  int spaceAdvance = source.Render(' ', true).advance;
  font.widths[' '] = static_cast<uint8_t>(std::max(1, spaceAdvance - 2));
  font.widths[160] = static_cast<uint8_t>(font.widths[' '] + 2);
  return font;
}

std::vector<uint8_t> BitmapFont::Serialise() const {
  std::vector<uint8_t> bytes(240, 0);
  for (int code = 32; code < 256; ++code) bytes[code - 16] = widths[code];
  bytes[28 - 16] = kCellWidth;
  bytes[29 - 16] = static_cast<uint8_t>(height);
  bytes[31 - 16] = static_cast<uint8_t>(height * kRowBytes);
  for (const GlyphCell& cell : glyphs) cell.AppendPacked(bytes);
  return bytes;
}

namespace {

struct Rgb {
  uint8_t r, g, b;
};

class Picture {
 public:
  Picture(int width, int height) : width_(width), height_(height), rgb_(width * height * 3) {
    for (int i = 0; i < width * height; ++i) Put(i % width, i / width, {20, 30, 70});
  }
  void Put(int x, int y, Rgb colour) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    uint8_t* p = &rgb_[(static_cast<size_t>(y) * width_ + x) * 3];
    p[0] = colour.r, p[1] = colour.g, p[2] = colour.b;
  }
  void DrawCell(const GlyphCell& cell, int left, int top, int scale, int columns) {
    static const Rgb kColours[4] = {{0, 0, 0}, {250, 240, 120}, {150, 150, 150}, {0, 0, 0}};
    for (int y = 0; y < cell.Height() * scale; ++y) {
      for (int x = 0; x < columns * scale; ++x) {
        uint8_t value = cell.At(x / scale, y / scale);
        if (value != kEmpty) Put(left + x, top + y, kColours[value]);
      }
    }
  }
  std::vector<uint8_t> Ppm() const {
    std::string header = "P6\n" + std::to_string(width_) + " " + std::to_string(height_) + "\n255\n";
    std::vector<uint8_t> out(header.begin(), header.end());
    out.insert(out.end(), rgb_.begin(), rgb_.end());
    return out;
  }

 private:
  int width_, height_;
  std::vector<uint8_t> rgb_;
};

}  // namespace

std::vector<uint8_t> PreviewPicture(const BitmapFont& font) {
  const int scale = 2;
  const int pitch = (kCellWidth + 2) * scale;
  const int rowPitch = (font.height + 2) * scale;
  const char* samples[] = {"The quick brown fox jumps over the lazy dog.",
                           "ENTER YOUR NAME: 0123456789 (-30 seconds)!",
                           "Radiated area  Explored  \xC0\xC9\xD6\xDC \xE0\xE9\xF6\xFC\xDF"};
  Picture picture(16 * pitch, 14 * rowPitch + 3 * rowPitch + 8);
  for (int i = 0; i < kGlyphCount; ++i) {
    picture.DrawCell(font.glyphs[i], (i % 16) * pitch, (i / 16) * rowPitch, scale, kCellWidth);
  }
  int y = 14 * rowPitch + 4;
  for (const char* text : samples) {
    int x = 4;
    for (const char* c = text; *c; ++c) {
      int code = static_cast<uint8_t>(*c);
      int width = font.widths[code] + (code == ' ' ? 2 : 0);
      picture.DrawCell(font.glyphs[code - kFirstCode], x, y, scale, std::min(width, kCellWidth));
      x += (width + 1) * scale;
    }
    y += rowPitch;
  }
  return picture.Ppm();
}

}  // namespace fontc
