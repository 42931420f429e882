#include "shell/mainloop.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "graphics/cursor.h"
#include "graphics/display.h"
#include "graphics/transition.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "shell/game_sound.h"
#include "shell/mode.h"
#include "shell/mode_stack.h"

using platform::LPARAM;
using platform::WPARAM;

InputQueueState InputQueue{};
bool DispatchEnabled = false;
bool AppActive = true;
bool StartupComplete = false;
uint8_t SurfacesLost = 0;
uint8_t DeactivatedDuringStartup = 0;
bool LeftDownSeen = false;
bool LeftButtonHeld = false;
bool RightButtonHeld = false;
bool RedrawRequested = false;
platform::WindowHandle MainWindowHandle = nullptr;

namespace {

FatalExitHandler g_fatalExitHandler = nullptr;

// Takes the oldest event out of the queue; the others move up one place.
InputEvent TakeOldestEvent() {
  InputEvent event = InputQueue.entries[0];
  --InputQueue.count;
  std::memmove(&InputQueue.entries[0], &InputQueue.entries[1],
               static_cast<size_t>(InputQueue.count) * sizeof(InputEvent));
  return event;
}

// Calls into the current mode with input delivery held off meanwhile.
template <typename Call>
void CallCurrentMode(Call call) {
  DispatchEnabled = false;
  if (tmode* mode = CurrentMode()) call(*mode);
  DispatchEnabled = true;
}

// Asks a lost surface to restore itself, waiting 50 ms before each of at
// most five attempts. False when the fifth attempt was made, whatever it gave.
bool RestoreSurface(Surface* surface, bool redrawCursorImage) {
  if (surface == nullptr || !surface->IsLost()) return true;
  for (int attempt = 1; attempt <= 5; ++attempt) {
    platform::Sleep(50);
    bool restored = surface->Restore() == platform::DD_OK;
    if (redrawCursorImage) ReloadCursorImage();
    if (attempt == 5) return false;
    if (restored) return true;
  }
  return false;
}

// How long until the next frame of a 60 Hz display, in whole milliseconds
// (1 to 17).
uint32_t MillisecondsToNextFrame(uint32_t now) {
  uint64_t frame = uint64_t{now} * kIdleFramesPerSecond / 1000;
  uint64_t nextFrameStart = ((frame + 1) * 1000 + kIdleFramesPerSecond - 1) / kIdleFramesPerSecond;
  return static_cast<uint32_t>(nextFrameStart - now);
}

}  // namespace

bool QueueInputEvent(uint32_t message, WPARAM wParam, LPARAM lParam) {
  if (InputQueue.count >= kInputQueueCapacity) return false;
  InputQueue.entries[InputQueue.count++] =
      InputEvent{static_cast<uint16_t>(message), static_cast<uint16_t>(wParam & 0xFFFF),
                 static_cast<int32_t>(lParam)};
  return true;
}

void ClearInputQueue() { InputQueue.count = 0; }

void DispatchInputEvent(const InputEvent& event) {
  int x = platform::MouseXFromLParam(event.LParam);
  int y = platform::MouseYFromLParam(event.LParam);
  switch (event.Message) {
    case platform::WM_KEYDOWN:
      CallCurrentMode([&](tmode& mode) { mode.KeyDown(event.WParam); });
      break;
    case platform::WM_MOUSEMOVE:
      CallCurrentMode([&](tmode& mode) { mode.MouseMove(MouseX, MouseY); });
      break;
    case platform::WM_LBUTTONDOWN: {
      LeftButtonHeld = true;
      tmode* pressed = CurrentMode();
      CallCurrentMode([&](tmode& mode) { mode.MouseDown(1, x, y); });
      // A press that entered another mode belongs to the mode it went to:
      // its release must not reach the new one.
      if (CurrentMode() == pressed) LeftDownSeen = true;
      break;
    }
    case platform::WM_LBUTTONUP:
      LeftButtonHeld = false;
      if (LeftDownSeen) CallCurrentMode([&](tmode& mode) { mode.MouseUp(1, x, y); });
      break;
    case platform::WM_RBUTTONDOWN:
      RightButtonHeld = true;
      CallCurrentMode([&](tmode& mode) { mode.MouseDown(2, x, y); });
      break;
    case platform::WM_RBUTTONUP:
      RightButtonHeld = false;
      CallCurrentMode([&](tmode& mode) { mode.MouseUp(2, x, y); });
      break;
    default:
      break;
  }
}

void MainLoopStep() {
  for (;;) {
    platform::WindowMessage message;
    bool idleDrewNothing = false;
    if (DispatchEnabled && InputQueue.count > 0 && SurfacesLost == 0) {
      DispatchInputEvent(TakeOldestEvent());
    } else if (platform::PeekWindowMessage(message, true)) {
      platform::TranslateWindowMessage(message);
      platform::DispatchWindowMessage(message);
    } else if (DispatchEnabled && SurfacesLost == 0) {
      uint64_t shownBefore = platform::PresentCount();
      if (RedrawRequested) {
        if (tmode* mode = CurrentMode()) mode->Redraw(true);
        RedrawRequested = false;
      }
      if (AppActive) CallCurrentMode([](tmode& mode) { mode.Idle(); });
      idleDrewNothing = AppActive && platform::PresentCount() == shownBefore;
    }

    if (platform::PeekWindowMessage(message, false)) continue;
    if (!AppActive) {
      // Inactive: nothing but messages (and queued input) to handle, so
      // wait for the next message instead of spinning.
      if (!(DispatchEnabled && InputQueue.count > 0)) platform::WaitForWindowMessage(100);
      continue;
    }
    if (SurfacesLost == 1) RestoreLostSurfaces();
    if (SurfacesLost != 0) continue;
    // An idle frame that changed nothing on screen: rather than spin, wait
    // for the next input, or at most until the next frame is due.
    if (idleDrewNothing && !(DispatchEnabled && InputQueue.count > 0)) {
      platform::WaitForWindowMessage(MillisecondsToNextFrame(platform::GetTickCount()));
    }
    return;
  }
}

void RestoreLostSurfaces() {
  if (!RestoreSurface(PrimarySurface.get(), false)) return;
  if (!RestoreSurface(CurrentCursorImage.get(), true)) return;
  if (!RestoreSurface(CursorSaveUnder.get(), false)) return;
  tmode* mode = CurrentMode();
  if ((DispatchEnabled || DeactivatedDuringStartup == 1) && mode != nullptr && mode->loaded) {
    mode->Redraw(true);
  } else {
    RedrawRequested = true;
  }
  DeactivatedDuringStartup = 0;
  SurfacesLost = 0;
}

platform::LRESULT GameWindowProcedure(platform::WindowHandle window, uint32_t message, WPARAM wParam,
                                      LPARAM lParam) {
  switch (message) {
    case platform::WM_DESTROY:
      FatalExit("");
    case platform::WM_ACTIVATE: {
      bool activating = (wParam & 0xFFFF) != 0;
      AppActive = activating;
      if (!StartupComplete && !activating) DeactivatedDuringStartup = 1;
      if (StartupComplete && activating) SurfacesLost = 1;
      break;
    }
    case platform::WM_MOUSEMOVE: {
      // Before start-up is complete the cursor is not drawn: only its place is kept.
      int x = platform::MouseXFromLParam(lParam);
      int y = platform::MouseYFromLParam(lParam);
      if (StartupComplete) {
        MoveCursor(x, y);
      } else {
        SetCursorPosition(x, y);
      }
      QueueInputEvent(message, wParam, lParam);
      break;
    }
    case platform::WM_KEYDOWN:
    case platform::WM_LBUTTONDOWN:
    case platform::WM_LBUTTONUP:
    case platform::WM_RBUTTONDOWN:
    case platform::WM_RBUTTONUP:
      QueueInputEvent(message, wParam, lParam);
      break;
    default:
      break;
  }
  return platform::DefaultWindowProcedure(window, message, wParam, lParam);
}

void SetFatalExitHandler(FatalExitHandler handler) { g_fatalExitHandler = handler; }

void FatalExit(std::string_view message) {
  if (!message.empty()) {
    std::string line(message.substr(0, 255));
    line += "\r\n";
    platform::WriteWholeFile("Error.rep", line.data(), line.size());
  }
  Sound().StopMusic();
  Sound().ShutdownSound();
  if (g_fatalExitHandler != nullptr) g_fatalExitHandler(std::string(message));
  // The display and the window go with the process; a message means the
  // game ended on an error, which the exit status tells too.
  platform::ShutdownVideo();
  std::fflush(stdout);
  std::fflush(stderr);
  std::_Exit(message.empty() ? 0 : 1);
}

void QuitGame() {
  Sound().PlaySoundEvent(kSoundQuit);
  DrawColour = 0;
  if (PrimarySurface != nullptr) {
    ClearSurface(*NewScreenBuffer);
    ClearSurface(*RealBackBuffer);
    CopySurface(*OldScreenBuffer, 0, 0, *PrimarySurface, kCopyWait);
    PlayTransition(8, 500);
  }
  FatalExit("");
}
