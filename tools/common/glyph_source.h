// A TrueType face rendered through FreeType: one glyph at a time, as a
// coverage bitmap placed relative to the pen position on the baseline.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace toolkit {

struct GlyphCoverage {
  int left = 0;     // columns from the pen position to the first bitmap column
  int top = 0;      // rows from the baseline up to the first bitmap row
  int width = 0;
  int rows = 0;
  int advance = 0;  // pen advance in whole pixels
  std::vector<uint8_t> alpha;  // width x rows, 0 = empty, 255 = covered

  uint8_t At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= rows) return 0;
    return alpha[static_cast<size_t>(y) * width + x];
  }
};

class GlyphSource {
 public:
  // Opens the face; ends the tool with a message when it cannot.
  explicit GlyphSource(const std::string& facePath);
  ~GlyphSource();
  GlyphSource(const GlyphSource&) = delete;
  GlyphSource& operator=(const GlyphSource&) = delete;

  void SetPixelSize(int pixels) { SetPixelSize(pixels, pixels); }
  // Narrower than high squeezes the glyphs horizontally.
  void SetPixelSize(int width, int height);
  bool HasGlyph(uint32_t codepoint) const;
  // monochrome: hinted one-bit rendering (crisp small bitmap fonts);
  // otherwise anti-aliased grey levels.
  GlyphCoverage Render(uint32_t codepoint, bool monochrome) const;
  // Horizontal kerning between two characters in whole pixels (0 without).
  int Kerning(uint32_t left, uint32_t right) const;
  int Ascender() const;   // pixels above the baseline
  int Descender() const;  // pixels below the baseline (positive)

 private:
  struct Handles;
  Handles* handles_;
};

}  // namespace toolkit
