#include "graphics/display.h"

#include <cstdlib>

#include "graphics/cursor.h"
#include "graphics/font.h"
#include "graphics/graphics_host.h"
#include "graphics/image.h"
#include "graphics/pixelops.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/messagebox.h"

using platform::DD_OK;
using platform::DDResult;
using platform::SurfaceMemory;

SurfaceRef PrimarySurface;
SurfaceRef BackBuffer;
SurfaceRef RealBackBuffer;
SurfaceRef BackgroundBuffer;
SurfaceRef OldScreenBuffer;
SurfaceRef NewScreenBuffer;

uint32_t DrawColour = platform::RGB(255, 255, 255);
uint32_t TextBackColour = 0;
std::string FaceName = "Times new roman";
int32_t FontWeight = 400;
uint32_t DisplayStartTime = 0;

namespace {

SurfaceRef LoadKeyedImage(const std::string& name) {
  SurfaceRef image = LoadImage(name);
  image->SetColorKey(0, 0);
  return image;
}

// A display set-up failure before the primary surface exists: the message
// box, then the end of the process.
[[noreturn]] void DisplayFailure(const char* text) {
  platform::ShowErrorBox(text);
  platform::ShutdownVideo();
  std::exit(1);
}

SurfaceRef MakeSurface(int width, int height, SurfaceMemory memory) {
  SurfaceRef surface;
  // Creation failures of off-screen surfaces are not examined by callers;
  // the platform only refuses absurd sizes, which callers never ask for.
  if (platform::CreateOffscreenSurface(width, height, memory, surface) != DD_OK) {
    platform::CreateOffscreenSurface(1, 1, memory, surface);
  }
  return surface;
}

}  // namespace

SurfaceRef CreateOffscreen(int width, int height) { return MakeSurface(width, height, SurfaceMemory::kSystem); }

SurfaceRef CreateVideoSurface(int width, int height) { return MakeSurface(width, height, SurfaceMemory::kVideo); }

void InitDisplay(platform::WindowHandle window) {
  for (const char* font : {"Fonts\\font16.fnt", "Fonts\\font20p.fnt", "Fonts\\digits16.fnt", "Fonts\\game20.fnt",
                           "Fonts\\font14p.fnt"}) {
    LoadFont(font, 0);
  }

  platform::ShowSystemCursor(false);
  if (platform::DirectDrawCreate() != DD_OK) DisplayFailure("DirectDrawCreate() failed");
  if (platform::SetCooperativeLevel(window, platform::DDSCL_EXCLUSIVE | platform::DDSCL_FULLSCREEN) != DD_OK) {
    DisplayFailure("SetCooperativeLevel() failed");
  }
  if (platform::SetDisplayMode(kScreenWidth, kScreenHeight, 16) != DD_OK) DisplayFailure("SetDisplayMode() failed");
  DisplayStartTime = platform::GetTickCount();

  if (platform::CreatePrimarySurface(PrimarySurface) != DD_OK) {
    platform::ShowErrorBox("CreateSurface() failed");
    GraphicsFatalError("1");
  }
  DrawColour = 0;
  ClearSurface(*PrimarySurface);
  if (platform::GetAttachedBackBuffer(*PrimarySurface, RealBackBuffer) != DD_OK) {
    platform::ShowErrorBox("GetAttachedSurface() failed");
    GraphicsFatalError("2");
  }
  BackBuffer = RealBackBuffer;
  BackgroundBuffer = CreateOffscreen(kScreenWidth, kScreenHeight);
  OldScreenBuffer = CreateOffscreen(kScreenWidth, kScreenHeight);
  NewScreenBuffer = CreateOffscreen(kScreenWidth, kScreenHeight);
  DetectPixelFormat();

  for (int i = 1; i <= 9; ++i) {
    std::string name = "Mouse\\mouse" + std::to_string(i) + ".bmp";
    CursorImages[i] = platform::FileExists(name) ? LoadKeyedImage(name) : nullptr;
  }
  HandCursorImage = platform::FileExists("Mouse\\hand.bmp") ? LoadKeyedImage("Mouse\\hand.bmp") : nullptr;
  CursorImages[0] = LoadKeyedImage("Mouse\\cursor");

  CurrentCursorImage = CreateVideoSurface(64, 64);
  CurrentCursorImage->SetColorKey(0, 0);
  CursorSaveUnder = CreateVideoSurface(64, 64);
}

void ClearSurface(Surface& surface) {
  surface.Blt(nullptr, nullptr, nullptr, platform::DDBLT_COLORFILL | platform::DDBLT_WAIT,
              static_cast<uint16_t>(DrawColour));
}

void CopySurface(Surface& target, int x, int y, Surface& source, uint32_t flags) {
  target.BltFast(x, y, source, nullptr, flags);
}

void CopySurfaceRect(Surface& target, int x, int y, Surface& source, const platform::Rect& rect, uint32_t flags) {
  target.BltFast(x, y, source, &rect, flags);
}

void FillRect(Surface& surface, const platform::Rect& rect, uint16_t pixel) {
  surface.Blt(&rect, nullptr, nullptr, platform::DDBLT_COLORFILL | platform::DDBLT_WAIT, pixel);
}

void DrawOutlineRect(Surface& surface, int x, int y, int height, int width) {
  int right = x + width - 1, bottom = y + height - 1;
  platform::GdiLine(surface, x, y, right, y, DrawColour);
  platform::GdiLine(surface, right, y, right, bottom, DrawColour);
  platform::GdiLine(surface, right, bottom, x, bottom, DrawColour);
  platform::GdiLine(surface, x, bottom, x, y, DrawColour);
}

void DrawLine(Surface& surface, int x1, int y1, int y2, int x2) {
  platform::GdiLine(surface, x1, y1, x2, y2, DrawColour);
}

void FlipScreen() {
  DDResult result;
  do {
    result = PrimarySurface->Flip();
    if (result == DD_OK) break;
    if (result == platform::DDERR_SURFACELOST) result = PrimarySurface->Restore();
  } while (result == platform::DDERR_WASSTILLDRAWING);
  DrawCursor(*PrimarySurface);
  PresentScreen();
}

void UseNewScreenAsBackBuffer() { BackBuffer = NewScreenBuffer; }

void UseRealBackBuffer() { BackBuffer = RealBackBuffer; }

void PresentScreen() {
  if (PrimarySurface != nullptr) PrimarySurface->Present();
}
