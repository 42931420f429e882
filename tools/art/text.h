// Anti-aliased text through FreeType, with outline, drop shadow and glow,
// for titles, labels and the help page.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "tools/art/canvas.h"
#include "tools/common/glyph_source.h"

namespace art {

struct TextStyle {
  int size = 16;          // pixel size of the face
  int tracking = 0;       // extra pixels between letters
  Colour fill{255, 255, 255};
  Colour fillBottom{-1, -1, -1};  // when set (r >= 0): vertical gradient to this
  int outline = 0;        // ring width in pixels, 0 = none
  Colour outlineColour{10, 10, 10};
  int shadow = 0;         // drop shadow offset, 0 = none
  Colour shadowColour{0, 0, 0};
  float shadowOpacity = 0.7f;
  int glow = 0;           // glow radius, 0 = none
  Colour glowColour{120, 255, 60};
  float glowOpacity = 0.8f;
};

enum class Align { kLeft, kCentre, kRight };

class TextPainter {
 public:
  explicit TextPainter(const std::string& facePath);

  int Width(const std::string& text, const TextStyle& style) const;
  int LineHeight(const TextStyle& style) const;  // ascender + descender
  // Draws one line; y is the top of the line box, x its left edge, centre
  // or right edge by the alignment.
  void Draw(Canvas& canvas, const std::string& text, int x, int y, const TextStyle& style,
            Align align = Align::kLeft) const;
  // Splits a paragraph into lines no wider than maxWidth.
  std::vector<std::string> Wrap(const std::string& paragraph, const TextStyle& style,
                                int maxWidth) const;

 private:
  Mask Coverage(const std::string& text, const TextStyle& style, int padding) const;

  std::unique_ptr<toolkit::GlyphSource> source_;
};

// The faces every painter uses, located by the build.
struct Faces {
  std::unique_ptr<TextPainter> title;  // bold condensed: titles and button labels
  std::unique_ptr<TextPainter> body;   // regular: running text
  std::unique_ptr<TextPainter> bold;   // bold: emphasis and digits
};

}  // namespace art
