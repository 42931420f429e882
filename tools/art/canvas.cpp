#include "tools/art/canvas.h"

#include <algorithm>
#include <cmath>

namespace art {

Colour Mix(Colour a, Colour b, float t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Colour Scale(Colour c, float factor) { return {c.r * factor, c.g * factor, c.b * factor}; }

Colour Add(Colour a, Colour b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }

Mask::Mask(int width, int height)
    : width_(width), height_(height), values_(static_cast<size_t>(width) * height, 0.0f) {}

float Mask::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0.0f;
  return values_[static_cast<size_t>(y) * width_ + x];
}

void Mask::Set(int x, int y, float value) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  values_[static_cast<size_t>(y) * width_ + x] = value;
}

void Mask::Max(int x, int y, float value) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  float& slot = values_[static_cast<size_t>(y) * width_ + x];
  slot = std::max(slot, value);
}

Mask Mask::Dilated(int radius) const {
  Mask out(width_, height_);
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      float best = 0.0f;
      for (int dy = -radius; dy <= radius; ++dy) {
        for (int dx = -radius; dx <= radius; ++dx) {
          if (dx * dx + dy * dy > radius * radius + radius) continue;
          best = std::max(best, At(x + dx, y + dy));
        }
      }
      out.Set(x, y, best);
    }
  }
  return out;
}

namespace {

// One horizontal and one vertical running-sum pass.
Mask BoxBlur(const Mask& in, int radius) {
  const int width = in.Width(), height = in.Height();
  const float scale = 1.0f / static_cast<float>(2 * radius + 1);
  Mask across(width, height), out(width, height);
  for (int y = 0; y < height; ++y) {
    float sum = 0.0f;
    for (int x = -radius; x <= radius; ++x) sum += in.At(x, y);
    for (int x = 0; x < width; ++x) {
      across.Set(x, y, sum * scale);
      sum += in.At(x + radius + 1, y) - in.At(x - radius, y);
    }
  }
  for (int x = 0; x < width; ++x) {
    float sum = 0.0f;
    for (int y = -radius; y <= radius; ++y) sum += across.At(x, y);
    for (int y = 0; y < height; ++y) {
      out.Set(x, y, sum * scale);
      sum += across.At(x, y + radius + 1) - across.At(x, y - radius);
    }
  }
  return out;
}

}  // namespace

Mask Mask::Blurred(int radius) const {
  if (radius <= 0) return *this;
  return BoxBlur(BoxBlur(BoxBlur(*this, radius), radius), radius);
}

Mask Mask::Minus(const Mask& other) const {
  Mask out = *this;
  for (size_t i = 0; i < out.values_.size(); ++i) {
    float cut = i < other.values_.size() ? other.values_[i] : 0.0f;
    out.values_[i] = std::max(0.0f, out.values_[i] - cut);
  }
  return out;
}

Canvas::Canvas(int width, int height, Colour fill)
    : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height, fill) {}

Colour Canvas::At(int x, int y) const {
  x = std::clamp(x, 0, width_ - 1);
  y = std::clamp(y, 0, height_ - 1);
  return pixels_[static_cast<size_t>(y) * width_ + x];
}

void Canvas::Set(int x, int y, Colour colour) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  pixels_[static_cast<size_t>(y) * width_ + x] = colour;
}

void Canvas::Blend(int x, int y, Colour colour, float opacity) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_ || opacity <= 0.0f) return;
  Colour& pixel = pixels_[static_cast<size_t>(y) * width_ + x];
  pixel = Mix(pixel, colour, std::min(opacity, 1.0f));
}

void Canvas::Fill(const Rect& rect, Colour colour) {
  for (int y = rect.y; y < rect.Bottom(); ++y) {
    for (int x = rect.x; x < rect.Right(); ++x) Set(x, y, colour);
  }
}

void Canvas::Paint(const Mask& mask, int x, int y, Colour colour, float opacity) {
  for (int my = 0; my < mask.Height(); ++my) {
    for (int mx = 0; mx < mask.Width(); ++mx) {
      Blend(x + mx, y + my, colour, mask.At(mx, my) * opacity);
    }
  }
}

void Canvas::Draw(const Canvas& source, int x, int y) {
  for (int sy = 0; sy < source.height_; ++sy) {
    for (int sx = 0; sx < source.width_; ++sx) Set(x + sx, y + sy, source.At(sx, sy));
  }
}

Canvas Canvas::Crop(const Rect& rect) const {
  Canvas out(rect.width, rect.height);
  for (int y = 0; y < rect.height; ++y) {
    for (int x = 0; x < rect.width; ++x) out.Set(x, y, At(rect.x + x, rect.y + y));
  }
  return out;
}

void Canvas::Shade(const Rect& rect, float factor) {
  for (int y = rect.y; y < rect.Bottom(); ++y) {
    for (int x = rect.x; x < rect.Right(); ++x) {
      if (x >= 0 && y >= 0 && x < width_ && y < height_) Set(x, y, Scale(At(x, y), factor));
    }
  }
}

std::vector<uint8_t> Canvas::Rgb8(bool keyed) const {
  std::vector<uint8_t> out;
  out.reserve(pixels_.size() * 3);
  for (const Colour& c : pixels_) {
    int r = std::clamp(static_cast<int>(std::lround(c.r)), 0, 255);
    int g = std::clamp(static_cast<int>(std::lround(c.g)), 0, 255);
    int b = std::clamp(static_cast<int>(std::lround(c.b)), 0, 255);
    if (keyed && r < 8 && g < 8 && b < 8) r = g = b = 0;
    out.push_back(static_cast<uint8_t>(r));
    out.push_back(static_cast<uint8_t>(g));
    out.push_back(static_cast<uint8_t>(b));
  }
  return out;
}

}  // namespace art
