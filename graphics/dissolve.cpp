#include "graphics/dissolve.h"

#include <algorithm>
#include <vector>

#include "graphics/cursor.h"
#include "graphics/display.h"
#include "graphics/transitionmaps.h"
#include "platform/clock.h"

namespace {

constexpr int kDissolveScale = 200;

struct LockedPlane {
  Surface& surface;
  PixelPlane plane{nullptr, 0};
  explicit LockedPlane(Surface& s) : surface(s) {
    int pitch = 0;
    if (surface.Lock(plane.pixels, pitch) != platform::DD_OK) plane.pixels = nullptr;
    plane.pitchPixels = pitch / 2;
  }
  ~LockedPlane() {
    if (plane.pixels != nullptr) surface.Unlock();
  }
  bool Ok() const { return plane.pixels != nullptr; }
};

void PlainDissolve(int duration) {
  uint32_t start = platform::GetTickCount();
  int limit = 0;
  do {
    limit = static_cast<int>(std::min<int64_t>(TransitionProgress(start, duration, kDissolveScale), 254));
    {
      LockedPlane newScreen(*NewScreenBuffer);
      LockedPlane screen(*PrimarySurface);
      if (!newScreen.Ok() || !screen.Ok()) return;
      DissolvePass(newScreen.plane, screen.plane, WorkMap, limit);
    }
    PresentScreen();
  } while (limit < 200);
}

void EdgeDissolve(int duration) {
  std::vector<uint8_t> written(kMapSize, 0);
  uint32_t start = platform::GetTickCount();
  int limit = 0;
  do {
    int64_t progress = TransitionProgress(start, duration, kDissolveScale);
    limit = progress > 199 ? 200 : static_cast<int>(progress);
    {
      LockedPlane oldScreen(*OldScreenBuffer);
      LockedPlane newScreen(*NewScreenBuffer);
      LockedPlane screen(*PrimarySurface);
      if (!oldScreen.Ok() || !newScreen.Ok() || !screen.Ok()) break;
      EdgeDissolvePass(oldScreen.plane, newScreen.plane, screen.plane, WorkMap, written.data(), limit,
                       static_cast<uint16_t>(EdgeColour), EdgeWidth);
    }
    PresentScreen();
  } while (limit < 200);
  EdgeColour = -1;
  EdgeWidth = 16;
}

}  // namespace

void DissolvePass(const PixelPlane& newScreen, PixelPlane& screen, uint8_t* workMap, int limit) {
  for (int row = 0; row < kMapHeight; ++row) {
    const uint16_t* from = newScreen.pixels + static_cast<ptrdiff_t>(row) * newScreen.pitchPixels;
    uint16_t* to = screen.pixels + static_cast<ptrdiff_t>(row) * screen.pitchPixels;
    uint8_t* map = workMap + row * kMapWidth;
    for (int column = 0; column < kMapWidth; ++column) {
      if (limit >= map[column]) {
        to[column] = from[column];
        map[column] = kSwitchedPixel;
      }
    }
  }
}

void EdgeDissolvePass(const PixelPlane& oldScreen, const PixelPlane& newScreen, PixelPlane& screen, uint8_t* workMap,
                      uint8_t* written, int limit, uint16_t edgeColour, int edgeWidth) {
  for (int row = 0; row < kMapHeight; ++row) {
    const uint16_t* before = oldScreen.pixels + static_cast<ptrdiff_t>(row) * oldScreen.pitchPixels;
    const uint16_t* after = newScreen.pixels + static_cast<ptrdiff_t>(row) * newScreen.pitchPixels;
    uint16_t* to = screen.pixels + static_cast<ptrdiff_t>(row) * screen.pitchPixels;
    uint8_t* map = workMap + row * kMapWidth;
    uint8_t* done = written + row * kMapWidth;
    for (int column = 0; column < kMapWidth; ++column) {
      if (limit >= map[column]) {
        to[column] = after[column];
        map[column] = kSwitchedPixel;
        done[column] = 1;
      } else if (done[column] == 0 && map[column] < limit + edgeWidth && before[column] != after[column]) {
        to[column] = edgeColour;
        done[column] = 1;
      }
    }
  }
}

void RunDissolve(int duration) {
  EraseCursor(*PrimarySurface);
  if (EdgeColour == -1) {
    PlainDissolve(duration);
  } else {
    EdgeDissolve(duration);
  }
}
