#include "graphics/cursor.h"

using platform::Rect;

SurfaceRef CurrentCursorImage;
SurfaceRef CursorSaveUnder;
SurfaceRef CursorImages[10];
SurfaceRef HandCursorImage;
bool CursorVisible = false;
int32_t CursorIndex = 1;
int32_t MouseX = 0;
int32_t MouseY = 0;

namespace {

// The cursor as last drawn: where on the screen, and which part of the
// 48 x 48 picture (also the part of the save-under that holds the screen).
Rect g_screenRect;
Rect g_imageRect;
HandCursorRule g_handCursorRule = nullptr;

// The hand picture while the shell's rule asks for it, else the current one.
Surface& CursorPicture() {
  if (g_handCursorRule != nullptr && g_handCursorRule() && HandCursorImage != nullptr) return *HandCursorImage;
  return *CurrentCursorImage;
}

}  // namespace

void DrawCursor(Surface& surface) {
  if (!CursorVisible || CurrentCursorImage == nullptr || CursorSaveUnder == nullptr) return;
  Rect image{0, 0, 48, 48};
  Rect screen{MouseX - 16, MouseY - 16, MouseX + 32, MouseY + 32};
  if (screen.top < 0) {
    image.top = 16 - MouseY;
    screen.top = 0;
  }
  if (screen.left < 0) {
    image.left = 16 - MouseX;
    screen.left = 0;
  }
  if (screen.bottom > kScreenHeight) {
    image.bottom = 48 - (screen.bottom - kScreenHeight);
    screen.bottom = kScreenHeight;
  }
  if (screen.right > kScreenWidth) {
    image.right = 48 - (screen.right - kScreenWidth);
    screen.right = kScreenWidth;
  }
  g_screenRect = screen;
  g_imageRect = image;
  CursorSaveUnder->Blt(&image, &surface, &screen, platform::DDBLT_WAIT);
  surface.Blt(&screen, &CursorPicture(), &image, platform::DDBLT_WAIT | platform::DDBLT_KEYSRC);
}

void EraseCursor(Surface& surface) {
  if (!CursorVisible || CursorSaveUnder == nullptr) return;
  surface.Blt(&g_screenRect, CursorSaveUnder.get(), &g_imageRect, platform::DDBLT_WAIT);
}

void SetHandCursorRule(HandCursorRule rule) { g_handCursorRule = rule; }

void SetCursorPosition(int x, int y) {
  MouseX = x;
  MouseY = y;
}

void MoveCursor(int x, int y) {
  EraseCursor(*PrimarySurface);
  MouseX = x;
  MouseY = y;
  DrawCursor(*PrimarySurface);
  PresentScreen();
}

void ReloadCursorImage() {
  if (CursorIndex < 0 || CursorIndex > 9 || CursorImages[CursorIndex] == nullptr) return;
  uint32_t colour = DrawColour;
  DrawColour = 0;
  ClearSurface(*CurrentCursorImage);
  DrawColour = colour;
  CopySurface(*CurrentCursorImage, 0, 0, *CursorImages[CursorIndex], kCopyKeyed);
}

void SelectCursor(int index) {
  if (index < 0 || index > 9 || CursorImages[index] == nullptr) return;
  EraseCursor(*PrimarySurface);
  DrawColour = 0;
  ClearSurface(*CurrentCursorImage);
  CopySurface(*CurrentCursorImage, 0, 0, *CursorImages[index], kCopyKeyed);
  CursorIndex = index;
  DrawCursor(*PrimarySurface);
  PresentScreen();
}
