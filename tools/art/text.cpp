#include "tools/art/text.h"

#include <algorithm>
#include <sstream>

namespace art {

namespace {

// The texts are UTF-8; the faces are asked for the code points.
std::vector<uint32_t> CodePoints(const std::string& text) {
  std::vector<uint32_t> out;
  for (size_t i = 0; i < text.size();) {
    auto byte = static_cast<uint8_t>(text[i]);
    int extra = byte >= 0xF0 ? 3 : byte >= 0xE0 ? 2 : byte >= 0xC0 ? 1 : 0;
    uint32_t cp = extra == 0 ? byte : (byte & (0x3F >> extra));
    for (int k = 1; k <= extra && i + k < text.size(); ++k) {
      cp = (cp << 6) | (static_cast<uint8_t>(text[i + k]) & 0x3F);
    }
    out.push_back(cp);
    i += static_cast<size_t>(extra) + 1;
  }
  return out;
}

}  // namespace

TextPainter::TextPainter(const std::string& facePath)
    : source_(std::make_unique<toolkit::GlyphSource>(facePath)) {}

int TextPainter::Width(const std::string& text, const TextStyle& style) const {
  source_->SetPixelSize(style.size);
  std::vector<uint32_t> points = CodePoints(text);
  int width = 0;
  for (size_t i = 0; i < points.size(); ++i) {
    width += source_->Render(points[i], false).advance + style.tracking;
    if (i + 1 < points.size()) width += source_->Kerning(points[i], points[i + 1]);
  }
  return points.empty() ? 0 : width - style.tracking;
}

int TextPainter::LineHeight(const TextStyle& style) const {
  source_->SetPixelSize(style.size);
  return source_->Ascender() + source_->Descender();
}

Mask TextPainter::Coverage(const std::string& text, const TextStyle& style, int padding) const {
  int width = Width(text, style) + 2 * padding + style.size / 2;
  int height = LineHeight(style) + 2 * padding;
  int baseline = padding + source_->Ascender();
  Mask mask(width, height);
  std::vector<uint32_t> points = CodePoints(text);
  int pen = padding;
  for (size_t i = 0; i < points.size(); ++i) {
    toolkit::GlyphCoverage glyph = source_->Render(points[i], false);
    for (int y = 0; y < glyph.rows; ++y) {
      for (int x = 0; x < glyph.width; ++x) {
        mask.Max(pen + glyph.left + x, baseline - glyph.top + y, glyph.At(x, y) / 255.0f);
      }
    }
    pen += glyph.advance + style.tracking;
    if (i + 1 < points.size()) pen += source_->Kerning(points[i], points[i + 1]);
  }
  return mask;
}

void TextPainter::Draw(Canvas& canvas, const std::string& text, int x, int y,
                       const TextStyle& style, Align align) const {
  const int padding = std::max({style.outline, style.shadow, style.glow * 2}) + 1;
  Mask body = Coverage(text, style, padding);
  int width = Width(text, style);
  int left = align == Align::kLeft ? x : align == Align::kCentre ? x - width / 2 : x - width;
  int originX = left - padding, originY = y - padding;

  if (style.glow > 0) {
    canvas.Paint(body.Dilated(1).Blurred(style.glow), originX, originY, style.glowColour,
                 style.glowOpacity);
  }
  Mask solid = style.outline > 0 ? body.Dilated(style.outline) : body;
  if (style.shadow > 0) {
    canvas.Paint(solid, originX + style.shadow, originY + style.shadow, style.shadowColour,
                 style.shadowOpacity);
  }
  if (style.outline > 0) canvas.Paint(solid, originX, originY, style.outlineColour);
  const int lineHeight = LineHeight(style);
  for (int my = 0; my < body.Height(); ++my) {
    Colour colour = style.fill;
    if (style.fillBottom.r >= 0) {
      float t = std::clamp(static_cast<float>(my - padding) / static_cast<float>(lineHeight), 0.0f, 1.0f);
      colour = Mix(style.fill, style.fillBottom, t);
    }
    for (int mx = 0; mx < body.Width(); ++mx) {
      canvas.Blend(originX + mx, originY + my, colour, body.At(mx, my));
    }
  }
}

std::vector<std::string> TextPainter::Wrap(const std::string& paragraph, const TextStyle& style,
                                           int maxWidth) const {
  std::vector<std::string> lines;
  std::istringstream words(paragraph);
  std::string word, line;
  while (words >> word) {
    std::string candidate = line.empty() ? word : line + " " + word;
    if (!line.empty() && Width(candidate, style) > maxWidth) {
      lines.push_back(line);
      line = word;
    } else {
      line = candidate;
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

}  // namespace art
