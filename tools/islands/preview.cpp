#include "tools/islands/preview.h"

#include <cstdio>
#include <cstring>

#include "game/view.h"
#include "tools/islands/output_files.h"

namespace islands {

namespace {

struct Colour {
  uint8_t red, green, blue;
};

Colour CodeColour(uint8_t code) {
  switch (code & ~32) {
    case kStateExplored: return {196, 210, 150};
    case kStateRadiated: return {150, 60, 50};
    case kCodeBorderLine: return {0, 0, 64};
    case kCodeCoastShadow: return {30, 50, 110};
    default: return {50, 80, 160};
  }
}

std::vector<uint8_t> RenderIsland(const StoredIsland& stored) {
  std::memcpy(&Island, &stored.record, sizeof Island);
  std::memcpy(CellGrid, stored.grid.values().data(), kGridBytes);
  for (int d = 1; d <= Island.LastCell(); ++d) {
    TIslandCell& cell = Island.Cell(d);
    if (!cell.isSea) cell.state = cell.isRadiated ? kStateRadiated : kStateExplored;
  }
  BuildBorderMask();
  BuildView(Island);
  std::string header = "P6 " + std::to_string(kViewSize) + " " + std::to_string(kViewSize) + " 255\n";
  std::vector<uint8_t> picture(header.begin(), header.end());
  size_t start = picture.size();
  picture.resize(start + 3 * kViewSize * kViewSize);
  auto put = [&](int row, int column, Colour colour) {
    if (row < 0 || column < 0 || row >= kViewSize || column >= kViewSize) return;
    uint8_t* pixel = &picture[start + 3 * (row * kViewSize + column)];
    pixel[0] = colour.red;
    pixel[1] = colour.green;
    pixel[2] = colour.blue;
  };
  for (int r = 0; r < kViewSize; ++r) {
    for (int c = 0; c < kViewSize; ++c) put(r, c, CodeColour(ViewStateGrid[r][c]));
  }
  // The digit's 24 x 24 square: screen rows from 2 x rowCentre - 12 below
  // the picture's top, columns from 2 x colCentre - 12.
  for (int d = 1; d <= Island.LastCell(); ++d) {
    const TIslandCell& cell = Island.Cell(d);
    if (cell.isSea || cell.isRadiated) continue;
    int top = 2 * cell.rowCentre - 12, left = 2 * cell.colCentre - 12;
    for (int i = 0; i < 24; ++i) {
      put(top, left + i, {255, 255, 255});
      put(top + 23, left + i, {255, 255, 255});
      put(top + i, left, {255, 255, 255});
      put(top + i, left + 23, {255, 255, 255});
    }
  }
  return picture;
}

}  // namespace

void WritePreviews(const std::string& folder, const std::vector<StoredIsland>& islands) {
  for (size_t k = 0; k < islands.size(); ++k) {
    char name[32];
    std::snprintf(name, sizeof name, "island%03zu.ppm", k);
    WriteOutputFile(folder, name, RenderIsland(islands[k]));
  }
}

}  // namespace islands
