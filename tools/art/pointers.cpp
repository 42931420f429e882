#include "tools/art/pointers.h"

#include <cmath>

#include "tools/art/shapes.h"
#include "tools/art/widgets.h"

namespace art {

namespace {

constexpr int kPointerSize = 48;
constexpr Colour kInk{16, 16, 18};

Canvas Outlined(const Mask& shape, Colour fill, float outline) {
  Canvas pointer(kPointerSize, kPointerSize);
  pointer.Paint(shape.Dilated(static_cast<int>(outline)), 0, 0, kInk);
  pointer.Paint(shape, 0, 0, fill);
  return pointer;
}

Canvas Arrow() {
  Mask shape = PolygonMask(kPointerSize, kPointerSize,
                           {{16, 16}, {16, 37}, {21, 32}, {25, 41}, {29, 39}, {25, 30}, {32, 30}});
  Canvas pointer = Outlined(shape, {240, 236, 214}, 1.5f);
  Mask edge = StrokeMask(kPointerSize, kPointerSize, {{17.5f, 20}, {17.5f, 33}}, 1.2f);
  pointer.Paint(edge, 0, 0, {255, 255, 255}, 0.8f);
  return pointer;
}

Canvas Busy() {
  Mask disc = EllipseMask(kPointerSize, kPointerSize, 16, 16, 14, 14);
  Canvas pointer = Outlined(disc, palette::kHazardYellow, 1.5f);
  pointer.Paint(TrefoilMask(kPointerSize, kPointerSize, 16, 16, 12), 0, 0, kInk);
  Mask arrow = PolygonMask(kPointerSize, kPointerSize, {{30, 30}, {30, 44}, {34, 40}, {42, 40}});
  pointer.Paint(arrow.Dilated(1), 0, 0, kInk);
  pointer.Paint(arrow, 0, 0, {240, 236, 214});
  return pointer;
}

Canvas Hand() {
  Mask finger = RoundedRectMask(kPointerSize, kPointerSize, {13, 15, 7, 20}, 3.5f);
  Mask palm = RoundedRectMask(kPointerSize, kPointerSize, {13, 26, 20, 17}, 5);
  Mask knuckles = RoundedRectMask(kPointerSize, kPointerSize, {19, 24, 14, 8}, 3.5f);
  Mask thumb = StrokeMask(kPointerSize, kPointerSize, {{14, 36}, {9, 30}}, 5);
  Mask shape = Union(Union(finger, palm), Union(knuckles, thumb));
  Canvas pointer = Outlined(shape, {240, 222, 190}, 1.5f);
  for (float x : {19.5f, 24.5f, 29.0f}) {
    pointer.Paint(StrokeMask(kPointerSize, kPointerSize, {{x, 25}, {x, 30}}, 1), 0, 0, kInk, 0.7f);
  }
  return pointer;
}

Canvas Crosshair() {
  const float c = 16;
  Mask ring = EllipseMask(kPointerSize, kPointerSize, c, c, 10, 10)
                  .Minus(EllipseMask(kPointerSize, kPointerSize, c, c, 7.5f, 7.5f));
  Mask ticks = Union(StrokeMask(kPointerSize, kPointerSize, {{c, 1}, {c, 9}}, 2),
                     StrokeMask(kPointerSize, kPointerSize, {{c, 23}, {c, 31}}, 2));
  ticks = Union(ticks, StrokeMask(kPointerSize, kPointerSize, {{1, c}, {9, c}}, 2));
  ticks = Union(ticks, StrokeMask(kPointerSize, kPointerSize, {{23, c}, {31, c}}, 2));
  Mask dot = EllipseMask(kPointerSize, kPointerSize, c, c, 1.5f, 1.5f);
  return Outlined(Union(Union(ring, ticks), dot), palette::kGlow, 1);
}

// The game's emblem: a sandy island with the radiation sign on deep water.
Canvas Emblem(int size) {
  float s = static_cast<float>(size);
  Canvas icon(size, size);
  Mask plate = RoundedRectMask(size, size, {0, 0, size, size}, s * 0.18f);
  icon.Paint(plate, 0, 0, {14, 44, 74});
  Mask island = EllipseMask(size, size, s * 0.5f, s * 0.54f, s * 0.42f, s * 0.34f);
  icon.Paint(island, 0, 0, {206, 190, 132});
  Mask grass = EllipseMask(size, size, s * 0.47f, s * 0.5f, s * 0.33f, s * 0.25f);
  icon.Paint(grass, 0, 0, {122, 150, 76});
  Mask trefoil = TrefoilMask(size, size, s * 0.5f, s * 0.52f, s * 0.3f);
  icon.Paint(trefoil.Dilated(std::max(1, size / 32)), 0, 0, kInk);
  icon.Paint(trefoil, 0, 0, palette::kHazardYellow);
  return icon;
}

}  // namespace

void PaintPointers(Studio& studio) {
  studio.Add("Mouse", "cursor", FileKind::kKeyedBmp, Crosshair());
  studio.Add("Mouse", "mouse1", FileKind::kKeyedBmp, Arrow());
  studio.Add("Mouse", "mouse2", FileKind::kKeyedBmp, Busy());
  studio.Add("Mouse", "hand", FileKind::kKeyedBmp, Hand());
  studio.Add("", "Eicon", FileKind::kIcon, Emblem(32));
  studio.Add("", "tervane", FileKind::kPng, Emblem(64));
}

}  // namespace art
