// Anti-aliased shapes as coverage masks (4 x 4 samples per pixel).
#pragma once

#include <vector>

#include "tools/art/canvas.h"

namespace art {

struct Point {
  float x = 0, y = 0;
};

// Polygon filled by the even-odd rule, on a mask of the given size.
Mask PolygonMask(int width, int height, const std::vector<Point>& points);
Mask EllipseMask(int width, int height, float cx, float cy, float rx, float ry);
Mask RoundedRectMask(int width, int height, const Rect& rect, float radius);
// A stroke of the given width along the points (round joins).
Mask StrokeMask(int width, int height, const std::vector<Point>& points, float strokeWidth);
// Union of two masks of the same size.
Mask Union(const Mask& a, const Mask& b);

}  // namespace art
