#include "game/view.h"

#include <algorithm>
#include <cstring>

#include "game/game_host.h"

uint8_t BorderMask[kGridSize][kGridSize];
uint8_t ViewCellGrid[kViewSize][kViewSize];
uint8_t ViewStateGrid[kViewSize][kViewSize];
int32_t OffsetX = 145;
int32_t OffsetY = 30;

namespace {

constexpr uint8_t kBorderMarker = 250;

// Up to four distinct values with their counts, in order of first appearance;
// further distinct values are not counted.
struct ValueSlots {
  uint8_t values[4];
  int counts[4];
  int filled = 0;

  void Count(uint8_t value) {
    for (int s = 0; s < filled; ++s) {
      if (values[s] == value) {
        ++counts[s];
        return;
      }
    }
    if (filled < 4) {
      values[filled] = value;
      counts[filled] = 1;
      ++filled;
    }
  }
};

// 1-based access to the view grids.
uint8_t& At(uint8_t (&grid)[kViewSize][kViewSize], int r, int c) { return grid[r - 1][c - 1]; }
bool InView(int r, int c) { return r >= 1 && r <= kViewSize && c >= 1 && c <= kViewSize; }
bool IsBorderPixel(int r, int c) { return BorderMask[(r - 1) / 2][(c - 1) / 2] != 0; }

// The display state of the cell a view pixel belongs to; a number that names
// no cell of the island shows as the sea of a generated map.
uint8_t StateOf(const TIsland& island, uint8_t cell) {
  return island.HasCell(cell) ? island.Cell(cell).state : 0;
}

// The pixel and its four direct neighbours: up, left, itself, right, down.
constexpr int kCrossRow[5] = {-1, 0, 0, 0, 1};
constexpr int kCrossColumn[5] = {0, -1, 0, 1, 0};

void DoubleGrid() {
  for (int r = 1; r <= kViewSize; ++r) {
    for (int c = 1; c <= kViewSize; ++c) At(ViewCellGrid, r, c) = CellGrid[(r - 1) / 2][(c - 1) / 2];
    HostOfGame().KeepWindowAlive();
  }
  std::memcpy(ViewStateGrid, ViewCellGrid, sizeof ViewStateGrid);
}

void MajorityOfNine() {
  for (int r = 1; r <= kViewSize; ++r) {
    for (int c = 1; c <= kViewSize; ++c) {
      if (!IsBorderPixel(r, c)) continue;
      ValueSlots slots;
      for (int i = r - 1; i <= r + 1; ++i) {
        for (int j = c - 1; j <= c + 1; ++j) {
          if (InView(i, j)) slots.Count(At(ViewCellGrid, i, j));
        }
      }
      int best = 0;
      for (int s = 1; s < slots.filled; ++s) {
        if (slots.counts[s] > slots.counts[best]) best = s;
      }
      At(ViewStateGrid, r, c) = slots.values[best];
    }
    HostOfGame().KeepWindowAlive();
  }
  std::memcpy(ViewCellGrid, ViewStateGrid, sizeof ViewCellGrid);
}

void MajorityOfFive() {
  for (int r = 2; r <= kViewSize - 1; ++r) {
    for (int c = 2; c <= kViewSize - 1; ++c) {
      if (!IsBorderPixel(r, c)) continue;
      ValueSlots slots;
      for (int k = 0; k < 5; ++k) slots.Count(At(ViewCellGrid, r + kCrossRow[k], c + kCrossColumn[k]));
      for (int s = 0; s < slots.filled; ++s) {
        if (slots.counts[s] > 2) {
          At(ViewStateGrid, r, c) = slots.values[s];
          break;
        }
      }
    }
    HostOfGame().KeepWindowAlive();
  }
  std::memcpy(ViewCellGrid, ViewStateGrid, sizeof ViewCellGrid);
}

void DrawBorderLines() {
  for (int r = 1; r <= kViewSize; ++r) {
    for (int c = 1; c <= kViewSize; ++c) {
      if (!IsBorderPixel(r, c)) continue;
      int reference = -1;
      for (int k = 0; k < 5; ++k) {
        int i = r + kCrossRow[k], j = c + kCrossColumn[k];
        if (!InView(i, j)) continue;
        uint8_t value = At(ViewStateGrid, i, j);
        if (value >= kBorderMarker) continue;
        if (reference < 0) {
          reference = value;
        } else if (value != reference) {
          At(ViewStateGrid, r, c) = kBorderMarker;
          break;
        }
      }
    }
    HostOfGame().KeepWindowAlive();
  }
}

void ConvertToCodes(const TIsland& island) {
  for (int r = 1; r <= kViewSize; ++r) {
    for (int c = 1; c <= kViewSize; ++c) {
      uint8_t& code = At(ViewStateGrid, r, c);
      code = code >= kBorderMarker ? kCodeBorderLine : StateOf(island, code);
    }
    HostOfGame().KeepWindowAlive();
  }
}

void CastCoastShadow() {
  uint8_t sea = ViewStateGrid[0][0];
  for (int r = 2; r <= kViewSize - 1; ++r) {
    for (int c = 2; c <= kViewSize - 1; ++c) {
      uint8_t& code = At(ViewStateGrid, r, c);
      if (code != sea) continue;
      for (int k = -4; k <= 1; ++k) {
        if (!InView(r + k, c + k)) continue;
        uint8_t other = At(ViewStateGrid, r + k, c + k);
        if (other != sea && other < kCodeBorderLine) {
          code = kCodeCoastShadow;
          break;
        }
      }
    }
    HostOfGame().KeepWindowAlive();
  }
}

}  // namespace

void BuildBorderMask() {
  std::memset(BorderMask, 0, sizeof BorderMask);
  constexpr int kRowStep[4] = {-1, 0, 0, 1};  // up, left, right, down
  constexpr int kColumnStep[4] = {0, -1, 1, 0};
  for (int i = 0; i < kGridSize; ++i) {
    for (int j = 0; j < kGridSize; ++j) {
      int reference = -1;
      for (int k = 0; k < 4; ++k) {
        int ni = i + kRowStep[k], nj = j + kColumnStep[k];
        if (ni < 0 || ni >= kGridSize || nj < 0 || nj >= kGridSize) continue;
        if (reference < 0) {
          reference = CellGrid[ni][nj];
        } else if (CellGrid[ni][nj] != reference) {
          BorderMask[i][j] = 1;
          break;
        }
      }
    }
  }
}

void BuildView(const TIsland& island) {
  DoubleGrid();
  MajorityOfNine();
  MajorityOfFive();
  DrawBorderLines();
  ConvertToCodes(island);
  CastCoastShadow();
}

void CentreView() {
  uint8_t sea = CellGrid[0][0];
  int rowMin = kGridSize + 1, rowMax = 0, columnMin = kGridSize + 1, columnMax = 0;
  for (int r = 1; r <= kGridSize; ++r) {
    for (int c = 1; c <= kGridSize; ++c) {
      if (CellGrid[r - 1][c - 1] == sea) continue;
      rowMin = std::min(rowMin, r);
      rowMax = std::max(rowMax, r);
      columnMin = std::min(columnMin, c);
      columnMax = std::max(columnMax, c);
    }
  }
  if (rowMax == 0) return;  // nothing but sea: keep the previous place
  OffsetX = 350 - (columnMin + columnMax);
  OffsetY = 294 - (rowMin + rowMax);
}

void RefreshView(const TIsland& island) {
  for (int r = 0; r < kViewSize; ++r) {
    for (int c = 0; c < kViewSize; ++c) {
      uint8_t& code = ViewStateGrid[r][c];
      if (code < kCodeBorderLine) code = StateOf(island, ViewCellGrid[r][c]);
    }
  }
}
