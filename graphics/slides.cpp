#include "graphics/slides.h"

#include <algorithm>

#include "graphics/cursor.h"
#include "graphics/display.h"
#include "graphics/transitionmaps.h"
#include "platform/clock.h"

namespace {

constexpr int kSlideScale = 100;

using platform::Rect;

// Copies a rectangle of `source` (right and bottom exclusive) to the same
// size at (x, y) of the primary, clipped to the screen on every side.
void CopyToScreen(int x, int y, Surface& source, Rect rect) {
  if (rect.top < 0) {
    y -= rect.top;
    rect.top = 0;
  }
  if (y < 0) {
    rect.top -= y;
    y = 0;
  }
  rect.bottom = std::min(rect.bottom, kScreenHeight);
  if (rect.bottom <= rect.top || rect.right <= rect.left) return;
  CopySurfaceRect(*PrimarySurface, x, y, source, rect, kCopyWait);
}

}  // namespace

int CombCurve(int m) {
  if (m <= 24) return m * 2 / 5;
  if (m <= 49) return (m - 25) * 4 / 5 + 10;
  if (m <= 74) return (m - 50) * 6 / 5 + 30;
  return (m - 75) * 8 / 5 + 60;
}

void CombPass(const PixelPlane& newScreen, PixelPlane& screen, int extent) {
  size_t count = static_cast<size_t>(extent) + 1;
  for (int row = 0; row < kMapHeight; ++row) {
    const uint16_t* from = newScreen.pixels + static_cast<ptrdiff_t>(row) * newScreen.pitchPixels;
    uint16_t* to = screen.pixels + static_cast<ptrdiff_t>(row) * screen.pitchPixels;
    if (row % 4 < 2) {
      std::copy(from + (kMapWidth - 1 - extent), from + kMapWidth, to);
    } else {
      std::copy(from, from + count, to + (kMapWidth - 1 - extent));
    }
  }
}

void RunCombSlide(int duration) {
  EraseCursor(*PrimarySurface);
  uint32_t start = platform::GetTickCount();
  int extent = 0;
  do {
    auto m = static_cast<int>(std::min<int64_t>(TransitionProgress(start, duration, kSlideScale), 1000));
    extent = std::min(8 * CombCurve(m), kMapWidth - 1);
    uint16_t* newPixels = nullptr;
    uint16_t* screenPixels = nullptr;
    int newPitch = 0;
    int screenPitch = 0;
    if (NewScreenBuffer->Lock(newPixels, newPitch) != platform::DD_OK) return;
    if (PrimarySurface->Lock(screenPixels, screenPitch) != platform::DD_OK) {
      NewScreenBuffer->Unlock();
      return;
    }
    PixelPlane screen{screenPixels, screenPitch / 2};
    CombPass(PixelPlane{newPixels, newPitch / 2}, screen, extent);
    PrimarySurface->Unlock();
    NewScreenBuffer->Unlock();
    PresentScreen();
  } while (extent < kMapWidth - 1);
}

int DropInTop(int64_t q, const ScreenArea& area) {
  // The start offset is the area's width, as the game has always done it.
  return static_cast<int>(q * (area.y + area.width) / 100) - area.width;
}

void RunWindowDropIn(int duration, const ScreenArea& area) {
  CopySurface(*BackBuffer, 0, 0, *NewScreenBuffer, kCopyWait);
  CopySurface(*PrimarySurface, 0, 0, *OldScreenBuffer, kCopyWait);
  uint32_t start = platform::GetTickCount();
  int previous = -1;
  int64_t q = 0;
  do {
    platform::WaitForVerticalBlank();
    q = std::min<int64_t>(TransitionProgress(start, duration, kSlideScale), 100);
    int top = DropInTop(q, area);
    Rect window{area.x, area.y + std::max(0, -top), area.x + area.width, area.y + area.height};
    CopyToScreen(area.x, std::max(top, 0), *BackBuffer, window);
    if (top > 0) CopyToScreen(area.x, previous, *BackBuffer, Rect{area.x, previous, area.x + area.width, top - 1});
    previous = top;
    PresentScreen();
  } while (q < 100);
  CopySurface(*PrimarySurface, 0, 0, *BackBuffer, kCopyWait);
  PresentScreen();
}

void RunWindowSlideOut(int duration, const ScreenArea& area) {
  CopySurface(*BackBuffer, 0, 0, *OldScreenBuffer, kCopyWait);
  CopySurface(*PrimarySurface, 0, 0, *NewScreenBuffer, kCopyWait);
  uint32_t start = platform::GetTickCount();
  int previous = area.y;
  int64_t q = 0;
  do {
    platform::WaitForVerticalBlank();
    q = std::min<int64_t>(TransitionProgress(start, duration, kSlideScale), 100);
    int top = area.y + static_cast<int>(q * (kScreenHeight - area.y) / 100);
    int height = top + area.height > kScreenHeight - 1 ? kScreenHeight - 1 - top : area.height;
    if (top < kScreenHeight) {
      CopyToScreen(area.x, top, *BackBuffer, Rect{area.x, area.y, area.x + area.width, area.y + height});
    }
    CopyToScreen(area.x, previous, *NewScreenBuffer, Rect{area.x, previous, area.x + area.width, top});
    previous = top;
    PresentScreen();
  } while (q < 100);
}
