#include "tools/art/shapes.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace art {

namespace {

constexpr int kSamples = 4;

// Coverage of every pixel in the bounding box by an inside test.
Mask Sample(int width, int height, float left, float top, float right, float bottom,
            const std::function<bool(float, float)>& inside) {
  Mask mask(width, height);
  int x0 = std::max(0, static_cast<int>(std::floor(left)) - 1);
  int y0 = std::max(0, static_cast<int>(std::floor(top)) - 1);
  int x1 = std::min(width - 1, static_cast<int>(std::ceil(right)) + 1);
  int y1 = std::min(height - 1, static_cast<int>(std::ceil(bottom)) + 1);
  for (int y = y0; y <= y1; ++y) {
    for (int x = x0; x <= x1; ++x) {
      int hits = 0;
      for (int sy = 0; sy < kSamples; ++sy) {
        for (int sx = 0; sx < kSamples; ++sx) {
          float px = static_cast<float>(x) + (static_cast<float>(sx) + 0.5f) / kSamples;
          float py = static_cast<float>(y) + (static_cast<float>(sy) + 0.5f) / kSamples;
          if (inside(px, py)) ++hits;
        }
      }
      mask.Set(x, y, static_cast<float>(hits) / (kSamples * kSamples));
    }
  }
  return mask;
}

float SegmentDistance(Point p, Point a, Point b) {
  float dx = b.x - a.x, dy = b.y - a.y;
  float length = dx * dx + dy * dy;
  float t = length > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / length : 0.0f;
  t = std::clamp(t, 0.0f, 1.0f);
  float ex = a.x + t * dx - p.x, ey = a.y + t * dy - p.y;
  return std::sqrt(ex * ex + ey * ey);
}

}  // namespace

Mask PolygonMask(int width, int height, const std::vector<Point>& points) {
  float left = 1e9f, top = 1e9f, right = -1e9f, bottom = -1e9f;
  for (const Point& p : points) {
    left = std::min(left, p.x), right = std::max(right, p.x);
    top = std::min(top, p.y), bottom = std::max(bottom, p.y);
  }
  return Sample(width, height, left, top, right, bottom, [&](float x, float y) {
    bool inside = false;
    for (size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
      const Point& a = points[i];
      const Point& b = points[j];
      if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x) {
        inside = !inside;
      }
    }
    return inside;
  });
}

Mask EllipseMask(int width, int height, float cx, float cy, float rx, float ry) {
  return Sample(width, height, cx - rx, cy - ry, cx + rx, cy + ry, [&](float x, float y) {
    float dx = (x - cx) / rx, dy = (y - cy) / ry;
    return dx * dx + dy * dy <= 1.0f;
  });
}

Mask RoundedRectMask(int width, int height, const Rect& rect, float radius) {
  float left = static_cast<float>(rect.x), top = static_cast<float>(rect.y);
  float right = static_cast<float>(rect.Right()), bottom = static_cast<float>(rect.Bottom());
  return Sample(width, height, left, top, right, bottom, [&](float x, float y) {
    if (x < left || x > right || y < top || y > bottom) return false;
    float cx = std::clamp(x, left + radius, right - radius);
    float cy = std::clamp(y, top + radius, bottom - radius);
    float dx = x - cx, dy = y - cy;
    return dx * dx + dy * dy <= radius * radius;
  });
}

Mask StrokeMask(int width, int height, const std::vector<Point>& points, float strokeWidth) {
  float left = 1e9f, top = 1e9f, right = -1e9f, bottom = -1e9f;
  for (const Point& p : points) {
    left = std::min(left, p.x), right = std::max(right, p.x);
    top = std::min(top, p.y), bottom = std::max(bottom, p.y);
  }
  float half = strokeWidth / 2;
  return Sample(width, height, left - half, top - half, right + half, bottom + half,
                [&](float x, float y) {
                  for (size_t i = 0; i + 1 < points.size(); ++i) {
                    if (SegmentDistance({x, y}, points[i], points[i + 1]) <= half) return true;
                  }
                  return points.size() == 1 && SegmentDistance({x, y}, points[0], points[0]) <= half;
                });
}

Mask Union(const Mask& a, const Mask& b) {
  Mask out = a;
  for (int y = 0; y < b.Height(); ++y) {
    for (int x = 0; x < b.Width(); ++x) out.Max(x, y, b.At(x, y));
  }
  return out;
}

}  // namespace art
