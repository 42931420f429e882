#include "tools/art/widgets.h"

#include <algorithm>
#include <cmath>

#include "tools/art/noise.h"
#include "tools/art/shapes.h"

namespace art {

void MetalPlate(Canvas& canvas, const Rect& rect, uint32_t seed, Colour base) {
  for (int y = rect.y; y < rect.Bottom(); ++y) {
    float shade = 1.08f - 0.16f * static_cast<float>(y - rect.y) / std::max(1, rect.height);
    for (int x = rect.x; x < rect.Right(); ++x) {
      float brushed = FractalNoise(seed, x * 0.02f, y * 0.9f, 3) - 0.5f;
      float blotch = FractalNoise(seed + 7, x * 0.015f, y * 0.015f, 4) - 0.5f;
      float grain = LatticeValue(seed + 3, x, y) - 0.5f;
      float f = shade + brushed * 0.22f + blotch * 0.18f + grain * 0.05f;
      canvas.Set(x, y, Scale(base, f));
    }
  }
}

void Bevel(Canvas& canvas, const Rect& rect, int width, bool raised, float strength) {
  for (int i = 0; i < width; ++i) {
    float fade = strength * (1.0f - static_cast<float>(i) / static_cast<float>(width + 1));
    Colour upper = raised ? palette::kLight : palette::kEdge;
    Colour lower = raised ? palette::kEdge : palette::kLight;
    float upperOpacity = (raised ? 0.55f : 0.7f) * fade;
    float lowerOpacity = (raised ? 0.75f : 0.35f) * fade;
    for (int x = rect.x + i; x < rect.Right() - i; ++x) {
      canvas.Blend(x, rect.y + i, upper, upperOpacity);
      canvas.Blend(x, rect.Bottom() - 1 - i, lower, lowerOpacity);
    }
    for (int y = rect.y + i + 1; y < rect.Bottom() - i - 1; ++y) {
      canvas.Blend(rect.x + i, y, upper, upperOpacity);
      canvas.Blend(rect.Right() - 1 - i, y, lower, lowerOpacity);
    }
  }
}

void Rivet(Canvas& canvas, int cx, int cy, int radius) {
  int size = radius * 2 + 4;
  float c = static_cast<float>(size) / 2;
  Mask shadow = EllipseMask(size, size, c + 1, c + 1, radius, radius);
  Mask head = EllipseMask(size, size, c, c, radius, radius);
  Mask shine = EllipseMask(size, size, c - radius * 0.35f, c - radius * 0.35f, radius * 0.4f,
                           radius * 0.4f);
  int left = cx - size / 2, top = cy - size / 2;
  canvas.Paint(shadow, left, top, palette::kEdge, 0.8f);
  canvas.Paint(head, left, top, {96, 100, 100});
  canvas.Paint(shine, left, top, {210, 214, 206}, 0.8f);
}

void RivetCorners(Canvas& canvas, const Rect& rect, int inset) {
  Rivet(canvas, rect.x + inset, rect.y + inset, 3);
  Rivet(canvas, rect.Right() - 1 - inset, rect.y + inset, 3);
  Rivet(canvas, rect.x + inset, rect.Bottom() - 1 - inset, 3);
  Rivet(canvas, rect.Right() - 1 - inset, rect.Bottom() - 1 - inset, 3);
}

void HazardStripes(Canvas& canvas, const Rect& rect, int stripeWidth) {
  for (int y = rect.y; y < rect.Bottom(); ++y) {
    for (int x = rect.x; x < rect.Right(); ++x) {
      int band = ((x + y) / stripeWidth) % 2;
      float wear = FractalNoise(91, x * 0.08f, y * 0.08f, 3);
      Colour colour = band ? palette::kHazardYellow : palette::kHazardDark;
      if (band && wear < 0.35f) colour = Mix(colour, palette::kHazardDark, 0.45f);
      canvas.Set(x, y, colour);
    }
  }
}

Mask TrefoilMask(int width, int height, float cx, float cy, float radius) {
  const float pi = 3.14159265f;
  Mask mask = EllipseMask(width, height, cx, cy, radius * 0.18f, radius * 0.18f);
  for (int blade = 0; blade < 3; ++blade) {
    float middle = -pi / 2 + blade * 2 * pi / 3 + pi / 3;
    std::vector<Point> points;
    const int steps = 12;
    for (int i = 0; i <= steps; ++i) {
      float a = middle - pi / 6 + pi / 3 * i / steps;
      points.push_back({cx + std::cos(a) * radius, cy + std::sin(a) * radius});
    }
    for (int i = steps; i >= 0; --i) {
      float a = middle - pi / 6 + pi / 3 * i / steps;
      points.push_back({cx + std::cos(a) * radius * 0.3f, cy + std::sin(a) * radius * 0.3f});
    }
    mask = Union(mask, PolygonMask(width, height, points));
  }
  return mask;
}

void DisplayWell(Canvas& canvas, const Rect& rect, Colour tint) {
  for (int y = rect.y; y < rect.Bottom(); ++y) {
    for (int x = rect.x; x < rect.Right(); ++x) {
      float scan = (y % 2) ? 0.85f : 1.0f;
      float glow = 1.0f - std::abs(static_cast<float>(y - rect.y) / rect.height - 0.5f);
      canvas.Set(x, y, Scale(tint, scan * (0.7f + 0.5f * glow)));
    }
  }
  Bevel(canvas, rect, 2, false);
}

TextStyle ButtonLabelStyle(ButtonState state, int size) {
  TextStyle style;
  style.size = size;
  style.shadow = 1;
  style.shadowOpacity = 0.9f;
  switch (state) {
    case ButtonState::kNormal:
      style.fill = palette::kSand;
      break;
    case ButtonState::kHover:
      style.fill = {235, 255, 200};
      style.glow = 3;
      style.glowColour = palette::kGlow;
      style.glowOpacity = 0.55f;
      break;
    case ButtonState::kPressed:
      style.fill = palette::kGlow;
      break;
  }
  return style;
}

Canvas ButtonFace(const Faces& faces, int width, int height, const std::string& label,
                  ButtonState state, uint32_t seed) {
  Canvas face(width, height);
  const Rect whole{0, 0, width, height};
  Colour base = state == ButtonState::kPressed ? palette::kMetalDark
                : state == ButtonState::kHover ? Colour{74, 82, 80}
                                               : palette::kMetal;
  MetalPlate(face, whole, seed, base);
  for (int x = 0; x < width; ++x) {
    face.Set(x, 0, palette::kEdge);
    face.Set(x, height - 1, palette::kEdge);
  }
  for (int y = 0; y < height; ++y) {
    face.Set(0, y, palette::kEdge);
    face.Set(width - 1, y, palette::kEdge);
  }
  Bevel(face, whole.Inset(1), 3, state != ButtonState::kPressed);
  if (state == ButtonState::kHover) {
    Mask ring(width, height);
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        int edge = std::min({x, y, width - 1 - x, height - 1 - y});
        if (edge >= 1 && edge <= 2) ring.Set(x, y, 1.0f);
      }
    }
    face.Paint(ring.Blurred(1), 0, 0, palette::kGlow, 0.9f);
  }
  int size = std::min(20, height - 14);
  TextStyle style = ButtonLabelStyle(state, size);
  while (size > 9 && faces.title->Width(label, style) > width - 14) {
    style = ButtonLabelStyle(state, --size);
  }
  int shift = state == ButtonState::kPressed ? 1 : 0;
  int top = (height - faces.title->LineHeight(style)) / 2 + shift;
  faces.title->Draw(face, label, width / 2 + shift, top, style, Align::kCentre);
  return face;
}

Canvas WindowFrame(const Faces& faces, int width, int height, const std::string& title,
                   uint32_t seed) {
  Canvas window(width, height);
  const Rect whole{0, 0, width, height};
  MetalPlate(window, whole, seed);
  Rect bar{6, 6, width - 12, kTitleBarHeight - 8};
  HazardStripes(window, {bar.x, bar.y, 26, bar.height}, 8);
  HazardStripes(window, {bar.Right() - 26, bar.y, 26, bar.height}, 8);
  DisplayWell(window, {bar.x + 28, bar.y, bar.width - 56, bar.height}, {34, 40, 30});
  TextStyle style;
  style.size = 20;
  style.tracking = 2;
  style.fill = palette::kHazardYellow;
  style.fillBottom = palette::kAmber;
  style.outline = 1;
  style.outlineColour = {20, 14, 4};
  faces.title->Draw(window, title, width / 2, bar.y + (bar.height - faces.title->LineHeight(style)) / 2,
                    style, Align::kCentre);
  Bevel(window, whole, 3, true);
  for (int x = 0; x < width; ++x) {
    window.Set(x, 0, palette::kEdge);
    window.Set(x, height - 1, palette::kEdge);
  }
  for (int y = 0; y < height; ++y) {
    window.Set(0, y, palette::kEdge);
    window.Set(width - 1, y, palette::kEdge);
  }
  RivetCorners(window, {0, kTitleBarHeight - 2, width, height - kTitleBarHeight + 2}, 9);
  return window;
}

}  // namespace art
