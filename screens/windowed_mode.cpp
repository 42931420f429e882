#include "screens/windowed_mode.h"

#include <algorithm>
#include <cstddef>

#include "graphics/cursor.h"
#include "graphics/pixelops.h"

namespace {

constexpr int kShadowDarkening = 56;
constexpr int kAboveCentre = 50;

// Columns and rows of a strip, first and last included.
struct Strip {
  int left, top, right, bottom;
};

// Darkens the pixels of the strip that lie in the locked surface.
void DarkenStrip(uint16_t* pixels, int pitchPixels, int width, int height, const Strip& strip) {
  int left = std::max(strip.left, 0), right = std::min(strip.right, width - 1);
  int top = std::max(strip.top, 0), bottom = std::min(strip.bottom, height - 1);
  for (int row = top; row <= bottom; ++row) {
    uint16_t* line = pixels + static_cast<std::ptrdiff_t>(row) * pitchPixels;
    for (int column = left; column <= right; ++column) line[column] = Darken(line[column], kShadowDarkening);
  }
}

}  // namespace

WindowPlace PlaceWindow(const WindowSize& size) {
  WindowPlace place;
  place.x = (kScreenWidth - size.width) / 2;
  place.y = std::max((kScreenHeight - size.height) / 2 - kAboveCentre, 0);
  return place;
}

void DrawDropShadow(Surface& surface, int x, int y, int width, int height) {
  uint16_t* pixels = nullptr;
  int pitch = 0;
  if (surface.Lock(pixels, pitch) != platform::DD_OK) return;
  const int pitchPixels = pitch / 2;
  DarkenStrip(pixels, pitchPixels, surface.Width(), surface.Height(),
              Strip{x + width, y + 5, x + width + 7, y + height + 5});
  DarkenStrip(pixels, pitchPixels, surface.Width(), surface.Height(),
              Strip{x + 7, y + height, x + width - 1, y + height + 5});
  surface.Unlock();
}

void tWindowedMode::Load() {
  shadowFlag = 1;
  X = 0;
  Y = 0;
  tmode::Load();
  WindowSize size = ReadWindowSize(ModeName + "\\size.inf");
  WindowPlace place = PlaceWindow(size);
  X = place.x;
  Y = place.y;
  Width = size.width;
  Height = size.height;
  backdrop = CreateOffscreen(kScreenWidth, kScreenHeight);
}

void tWindowedMode::Enter() {
  if (!loaded) Load();
  // The screen beneath as the player sees it, without the pointer.
  CopySurface(*backdrop, 0, 0, *PrimarySurface, kCopyWait);
  EraseCursor(*backdrop);
  if (shadowFlag != 0) DrawDropShadow(*backdrop, X, Y, Width, Height);
  if (backgroundImage != nullptr) {
    CopySurfaceRect(*backdrop, X, Y, *backgroundImage, platform::Rect{0, 0, Width, Height}, kCopyWait);
  }
  tmode::Enter();
}

void tWindowedMode::DrawBackground() {
  if (backdrop != nullptr) CopySurface(*BackgroundBuffer, 0, 0, *backdrop, kCopyWait);
}
