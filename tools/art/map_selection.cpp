#include "tools/art/map_selection.h"

#include <cmath>
#include <functional>

#include "tools/art/noise.h"
#include "tools/art/shapes.h"
#include "tools/art/terrain.h"
#include "tools/art/widgets.h"

namespace art {

namespace {

constexpr int kPictureSize = 88;

enum CellLook { kSea = -1, kFogged = 0, kExplored = 1, kRadiated = 2 };

// A small map: cellAt gives every pixel's cell (or -1 for the sea), lookOf
// the look of a cell; borders are drawn where cells meet.
Canvas MiniMap(const std::function<int(int, int)>& cellAt, const std::function<CellLook(int)>& lookOf,
               uint32_t seed) {
  Canvas map(kPictureSize, kPictureSize);
  PaintSea(map, {0, 0, kPictureSize, kPictureSize}, seed);
  for (int y = 0; y < kPictureSize; ++y) {
    for (int x = 0; x < kPictureSize; ++x) {
      int cell = cellAt(x, y);
      if (cell < 0) continue;
      bool border = cellAt(x + 1, y) != cell || cellAt(x, y + 1) != cell;
      float n = FractalNoise(seed + 3, x * 0.2f, y * 0.2f, 2);
      Colour c;
      switch (lookOf(cell)) {
        case kExplored: c = Mix({206, 190, 132}, {122, 150, 76}, n); break;
        case kRadiated: c = Mix({150, 240, 40}, {236, 255, 150}, n); break;
        default: c = {120 + n * 60, 122 + n * 60, 128 + n * 60}; break;
      }
      map.Set(x, y, border ? Colour{0, 0, 64} : c);
    }
  }
  Bevel(map, {0, 0, kPictureSize, kPictureSize}, 2, false);
  return map;
}

CellLook ScatteredLook(int cell, uint32_t seed, float radiated, float explored) {
  float v = LatticeValue(seed, cell, 0);
  if (v < radiated) return kRadiated;
  return v < radiated + explored ? kExplored : kFogged;
}

Canvas OriginalPicture() {
  // Irregular cells: the nearest of scattered points inside a noisy island.
  std::vector<Point> seeds;
  for (int i = 0; i < 16; ++i) {
    seeds.push_back({14 + LatticeValue(71, i, 1) * 60, 14 + LatticeValue(71, i, 2) * 60});
  }
  Mask island = IslandMask(kPictureSize, kPictureSize, 44, 44, 46, 40, 72);
  auto cellAt = [&](int x, int y) {
    if (island.At(x, y) < 0.5f) return -1;
    int best = 0;
    float bestDistance = 1e9f;
    for (size_t i = 0; i < seeds.size(); ++i) {
      float dx = x - seeds[i].x, dy = y - seeds[i].y;
      if (dx * dx + dy * dy < bestDistance) bestDistance = dx * dx + dy * dy, best = static_cast<int>(i);
    }
    return best;
  };
  return MiniMap(cellAt, [](int cell) { return ScatteredLook(cell, 73, 0.12f, 0.4f); }, 74);
}

Canvas SquarePicture(float radiated, uint32_t seed) {
  auto cellAt = [](int x, int y) {
    const int cell = 10, left = 4;
    if (x < left || y < left || x >= left + 8 * cell || y >= left + 8 * cell) return -1;
    return ((x - left) / cell) * 8 + (y - left) / cell;
  };
  return MiniMap(cellAt, [=](int cell) { return ScatteredLook(cell, seed, radiated, 0.35f); }, seed);
}

Canvas RoundedPicture() {
  // Columns of cells, shorter towards the sides: a rounded island.
  auto cellAt = [](int x, int y) {
    const int cell = 6, columns = 13;
    int column = (x - 5) / cell;
    if (x < 5 || column >= columns) return -1;
    float half = std::sqrt(std::max(0.0f, 1.0f - std::pow((column - 6) / 7.0f, 2.0f))) * 6.5f;
    int rows = static_cast<int>(half * 2);
    int top = 44 - rows * cell / 2 + ((column % 2) ? cell / 2 : 0);
    if (y < top || y >= top + rows * cell) return -1;
    return column * 20 + (y - top) / cell;
  };
  return MiniMap(cellAt, [](int cell) { return ScatteredLook(cell, 75, 0.2f, 0.3f); }, 76);
}

Canvas MapTypeFace(const Faces& faces, const ButtonSpec& button, ButtonState state, int type) {
  Canvas face = ButtonFace(faces, button.rect.width, button.rect.height, "", state, 4100 + type);
  static const Canvas pictures[4] = {OriginalPicture(), SquarePicture(0.16f, 77),
                                     SquarePicture(0.3f, 78), RoundedPicture()};
  int shift = state == ButtonState::kPressed ? 1 : 0;
  int top = (button.rect.height - kPictureSize) / 2;
  face.Draw(pictures[type - 1], 10 + shift, top + shift);
  TextStyle style = ButtonLabelStyle(state, 16);
  const int textLeft = 10 + kPictureSize + 8;
  std::vector<std::string> lines = faces.title->Wrap(button.label, style, button.rect.width - textLeft - 8);
  int lineHeight = faces.title->LineHeight(style);
  int y = (button.rect.height - lineHeight * static_cast<int>(lines.size())) / 2 + shift;
  for (const std::string& line : lines) {
    faces.title->Draw(face, line, textLeft + shift, y, style);
    y += lineHeight;
  }
  return face;
}

// The marker over the chosen type: a glowing frame, transparent inside.
Canvas Marker(int width, int height) {
  Canvas marker(width, height);
  Mask frame(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      int edge = std::min({x, y, width - 1 - x, height - 1 - y});
      if (edge <= 3) frame.Set(x, y, 1.0f);
    }
  }
  marker.Paint(frame, 0, 0, palette::kGlow);
  for (int x = 0; x < width; ++x) marker.Set(x, 1, {220, 255, 180});
  Mask badge = EllipseMask(width, height, width - 16, 16, 11, 11);
  marker.Paint(badge, 0, 0, {20, 60, 14});
  Mask tick = StrokeMask(width, height, {{width - 22.0f, 16}, {width - 17.0f, 21}, {width - 10.0f, 11}}, 3);
  marker.Paint(tick, 0, 0, palette::kGlow);
  return marker;
}

}  // namespace

void PaintMapSelection(Studio& studio) {
  auto [width, height] = studio.WindowSize("SelectMap");
  Canvas window = WindowFrame(studio.faces(), width, height, "MAP TYPE", 4001);
  std::vector<ButtonSpec> buttons = studio.Buttons("SelectMap");
  const Faces& faces = studio.faces();
  FaceMaker maker = [&](const ButtonSpec& button, ButtonState state, int index) {
    if (index <= 4) return MapTypeFace(faces, button, state, index);
    return ButtonFace(faces, button.rect.width, button.rect.height, button.label, state, 4005);
  };
  // Every button has a default picture, so that the marker over the chosen
  // type, drawn with each button face, shows as soon as the screen opens.
  AddButtonPictures(studio, "SelectMap", buttons, nullptr, 4002, maker);
  studio.Add("SelectMap", "Image", FileKind::kJpeg, window);
  studio.Add("SelectMap", "mask", FileKind::kKeyedBmp, Marker(buttons[0].rect.width, buttons[0].rect.height));
}

}  // namespace art
