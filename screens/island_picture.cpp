#include "screens/island_picture.h"

#include <algorithm>

#include "game/view.h"

namespace {

// Locked pixels of a surface for the length of a scope; no pixels when the
// surface is missing or cannot be locked.
class LockedPixels {
 public:
  explicit LockedPixels(Surface* surface) : surface_(surface) {
    int pitch = 0;
    if (surface_ != nullptr && surface_->Lock(pixels_, pitch) == platform::DD_OK) {
      pitchPixels_ = pitch / 2;
    } else {
      pixels_ = nullptr;
    }
  }
  ~LockedPixels() {
    if (pixels_ != nullptr) surface_->Unlock();
  }
  LockedPixels(const LockedPixels&) = delete;
  LockedPixels& operator=(const LockedPixels&) = delete;

  bool Holds(int x, int y) const {
    return pixels_ != nullptr && x >= 0 && y >= 0 && x < surface_->Width() && y < surface_->Height();
  }
  uint16_t& At(int x, int y) { return pixels_[static_cast<size_t>(y) * pitchPixels_ + x]; }

 private:
  Surface* surface_;
  uint16_t* pixels_ = nullptr;
  int pitchPixels_ = 0;
};

// The rows and columns of the view a cell's pixels lie in, found when the
// picture is rendered (the smoothing moves pixels across the cell's own
// rectangle, and nothing a file says about it is trusted).
struct ViewBounds {
  int top = kViewSize + 1;
  int bottom = 0;
  int left = kViewSize + 1;
  int right = 0;
};

ViewBounds g_cellBounds[256];

void NoteCellBounds() {
  std::fill(std::begin(g_cellBounds), std::end(g_cellBounds), ViewBounds{});
  for (int r = 1; r <= kViewSize; ++r) {
    for (int c = 1; c <= kViewSize; ++c) {
      ViewBounds& b = g_cellBounds[ViewCellGrid[r - 1][c - 1]];
      b.top = std::min(b.top, r);
      b.bottom = std::max(b.bottom, r);
      b.left = std::min(b.left, c);
      b.right = std::max(b.right, c);
    }
  }
}

int ScreenColumn(int column) { return OffsetX + column; }
int ScreenRow(int row) { return OffsetY + row - 1; }

uint8_t CodeAt(int r, int c) { return static_cast<uint8_t>(ViewStateGrid[r - 1][c - 1] & ~32); }

// The three textures locked together; a view pixel (R, C) reads texture row
// R - 1, column C, wherever the picture lies on the screen.
class LockedTextures {
 public:
  explicit LockedTextures(const IslandArt& art) : fog_(art.fog.get()), normal_(art.normal.get()),
                                                 cursed_(art.cursed.get()) {}
  // False when the code shows no texture or the texture has no such pixel.
  bool Pixel(uint8_t code, int r, int c, uint16_t& pixel) {
    LockedPixels* texture = code == kStateUnexplored ? &fog_
                            : code == kStateExplored ? &normal_
                            : code == kStateRadiated ? &cursed_
                                                     : nullptr;
    if (texture == nullptr || !texture->Holds(c, r - 1)) return false;
    pixel = texture->At(c, r - 1);
    return true;
  }

 private:
  LockedPixels fog_;
  LockedPixels normal_;
  LockedPixels cursed_;
};

// The colour a rendered view pixel takes over the background pixel under it.
uint16_t RenderedPixel(LockedTextures& textures, const IslandArt& art, uint8_t code, int r, int c,
                       uint16_t background) {
  uint16_t pixel = background;
  if (textures.Pixel(code, r, c, pixel)) return pixel;
  if (code == kCodeBorderLine) return art.borderColour;
  if (code == 17 || code == 18) return Darken(background, kDeepShadowDarkening);
  if (code == 19 || code == 20) return Darken(background, kLightShadowDarkening);
  return background;
}

// Draws a picture (black transparent) centred on a cell's centre.
void DrawAtCellCentre(Surface& target, const SurfaceRef& picture, const TIslandCell& cell) {
  if (picture == nullptr) return;
  CopySurface(target, OffsetX + 2 * cell.colCentre - 12, OffsetY + 2 * cell.rowCentre - 12, *picture,
              kCopyKeyed);
}

}  // namespace

bool ViewPixelAtScreen(int x, int y, ViewPixel& pixel) {
  if (!(OffsetX < x && x < OffsetX + kViewSize && OffsetY < y && y < OffsetY + kViewSize)) return false;
  pixel = ViewPixel{y - OffsetY + 1, x - OffsetX + 1};
  return true;
}

int CellAtScreen(int x, int y) {
  ViewPixel pixel;
  if (!ViewPixelAtScreen(x, y, pixel)) return 0;
  return ViewCellGrid[pixel.row - 1][pixel.column - 1];
}

void RenderIslandPicture(Surface& work, Surface& background, const IslandArt& art) {
  NoteCellBounds();
  CopySurface(work, 0, 0, background, kCopyWait);
  LockedTextures textures(art);
  LockedPixels target(&work);
  for (int r = 1; r <= kViewSize; ++r) {
    int y = ScreenRow(r);
    for (int c = 1; c <= kViewSize; ++c) {
      int x = ScreenColumn(c);
      if (!target.Holds(x, y)) continue;
      uint16_t& pixel = target.At(x, y);
      pixel = RenderedPixel(textures, art, CodeAt(r, c), r, c, pixel);
    }
  }
}

void RepaintIslandCell(Surface& work, const IslandArt& art, const TIsland& island, int cell) {
  if (!island.HasCell(cell) || cell > 255) return;
  const TIslandCell& repainted = island.Cell(cell);
  const ViewBounds& b = g_cellBounds[cell];
  {
    LockedTextures textures(art);
    LockedPixels target(&work);
    for (int r = b.top; r <= b.bottom; ++r) {
      for (int c = b.left; c <= b.right; ++c) {
        int x = ScreenColumn(c), y = ScreenRow(r);
        uint16_t pixel = 0;
        if (ViewCellGrid[r - 1][c - 1] != cell || CodeAt(r, c) == kCodeBorderLine || !target.Holds(x, y) ||
            !textures.Pixel(CodeAt(r, c), r, c, pixel)) {
          continue;
        }
        if (repainted.isMarked) pixel = AdjustChannels(pixel, kMarkTintRed, kMarkTintGreen, kMarkTintBlue);
        target.At(x, y) = pixel;
      }
    }
  }
  if (repainted.isExplored && !repainted.isRadiated) {
    DrawAtCellCentre(work, art.digits[std::min<int>(repainted.radiatedNeighbours, 8)], repainted);
  }
}

void DrawHoverHatch(Surface& frame, const IslandArt& art, const TIsland& island) {
  int cell = island.hoverCode;
  if (cell < 1 || cell > 199 || !island.HasCell(cell)) return;
  const TIslandCell& hovered = island.Cell(cell);
  int top = std::max(2 * hovered.rowMin - 1, 1), bottom = std::min(2 * hovered.rowMax - 1, kViewSize);
  int left = std::max(2 * hovered.colMin - 1, 1), right = std::min(2 * hovered.colMax - 1, kViewSize);
  LockedPixels target(&frame);
  for (int r = top; r <= bottom; ++r) {
    for (int c = left; c <= right; ++c) {
      if ((r + c) % 5 != 0 && (r - c) % 5 != 0) continue;
      if (ViewCellGrid[r - 1][c - 1] != cell || CodeAt(r, c) == kCodeBorderLine) continue;
      if (target.Holds(ScreenColumn(c), ScreenRow(r))) target.At(ScreenColumn(c), ScreenRow(r)) = art.hatchColour;
    }
  }
}

void DarkenCells(Surface& frame, const std::vector<int>& cells) {
  LockedPixels target(&frame);
  for (int cell : cells) {
    if (cell < 1 || cell > 255) continue;
    const ViewBounds& b = g_cellBounds[cell];
    for (int r = b.top; r <= b.bottom; ++r) {
      for (int c = b.left; c <= b.right; ++c) {
        int x = ScreenColumn(c), y = ScreenRow(r);
        if (ViewCellGrid[r - 1][c - 1] != cell || !target.Holds(x, y)) continue;
        target.At(x, y) = Darken(target.At(x, y), kHighlightDarkening);
      }
    }
  }
}

void DrawMarks(Surface& frame, const IslandArt& art, const TIsland& island) {
  for (int d = 1; d <= island.LastCell(); ++d) {
    if (island.Cell(d).isMarked) DrawAtCellCentre(frame, art.sign, island.Cell(d));
  }
}

std::vector<int> NeighbourHighlight(const TIsland& island, int cell) {
  std::vector<int> cells;
  if (!island.HasCell(cell)) return cells;
  const TIslandCell& centre = island.Cell(cell);
  cells.push_back(cell);
  for (int i = 0; i < centre.NeighbourTotal(); ++i) {
    int neighbour = centre.Neighbour(i);
    if (!island.HasCell(neighbour)) continue;
    const TIslandCell& other = island.Cell(neighbour);
    if (!other.isExplored || other.isRadiated) cells.push_back(neighbour);
  }
  return cells;
}
