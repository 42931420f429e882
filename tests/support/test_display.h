// Sets up the display the way the game's start-up does, without reading any
// file: a hidden window on SDL's dummy driver, the primary surface with its
// back buffer, the work buffers, the pixel format and the cursor surfaces
// (with a plain 48 x 48 cursor picture in slot 1).
#pragma once

#include <cstdlib>
#include <stdexcept>
#include <string>

#include "graphics/cursor.h"
#include "graphics/display.h"
#include "graphics/pixelops.h"
#include "platform/window.h"
#include "shell/mainloop.h"
#include "shell/mode.h"
#include "shell/mode_stack.h"
#include "support/program_stops.h"

namespace testing_support {

inline platform::LRESULT TestWindowProcedure(platform::WindowHandle window, uint32_t message,
                                             platform::WPARAM wParam, platform::LPARAM lParam) {
  return GameWindowProcedure(window, message, wParam, lParam);
}

// Opens the display once per test program; later calls only reset the
// shared state to what a freshly started game has.
inline void OpenTestDisplay() {
  static bool opened = false;
  if (!opened) {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    if (!platform::InitVideo()) throw std::runtime_error("no video");
    platform::WindowClass windowClass;
    windowClass.procedure = TestWindowProcedure;
    windowClass.className = "TervaneTest";
    platform::RegisterWindowClass(windowClass);
    MainWindowHandle = platform::CreateGameWindow("TervaneTest", "Tervane test", platform::WS_POPUP);
    platform::SetWindowedRequest(true);
    platform::DirectDrawCreate();
    platform::SetCooperativeLevel(MainWindowHandle, platform::DDSCL_EXCLUSIVE | platform::DDSCL_FULLSCREEN);
    platform::SetDisplayMode(800, 600, 16);
    platform::CreatePrimarySurface(PrimarySurface);
    platform::GetAttachedBackBuffer(*PrimarySurface, RealBackBuffer);
    BackgroundBuffer = CreateOffscreen(800, 600);
    OldScreenBuffer = CreateOffscreen(800, 600);
    NewScreenBuffer = CreateOffscreen(800, 600);
    CurrentCursorImage = CreateVideoSurface(64, 64);
    CurrentCursorImage->SetColorKey(0, 0);
    CursorSaveUnder = CreateVideoSurface(64, 64);
    opened = true;
  }
  BackBuffer = RealBackBuffer;
  DetectPixelFormat();
  CursorImages[1] = CreateOffscreen(48, 48);
  CursorImages[1]->SetColorKey(0, 0);
  CursorImages[1]->Blt(nullptr, nullptr, nullptr, platform::DDBLT_COLORFILL, 0x1234);
  HandCursorImage.reset();
  CursorVisible = false;
  CursorIndex = 1;
  DrawColour = 0;
  for (Surface* s : {PrimarySurface.get(), RealBackBuffer.get(), BackgroundBuffer.get(), OldScreenBuffer.get(),
                     NewScreenBuffer.get(), CurrentCursorImage.get(), CursorSaveUnder.get()}) {
    s->Restore();
    ClearSurface(*s);
  }
  // A freshly started game: loading done, input delivered, nothing queued.
  ClearInputQueue();
  platform::WindowMessage message;
  while (platform::PeekWindowMessage(message, true)) {
  }
  ResetModeStack();
  StartupComplete = true;
  DispatchEnabled = true;
  AppActive = true;
  SurfacesLost = 0;
  DeactivatedDuringStartup = 0;
  LeftDownSeen = LeftButtonHeld = RightButtonHeld = RedrawRequested = false;
  MouseX = MouseY = 0;
}

}  // namespace testing_support
