// The game's spine: the input queue filled by the window procedure, the
// main-loop step that delivers queued input and idle frames to the current
// mode, lost-surface recovery, and the two ways the process ends.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "graphics/cursor.h"  // MouseX, MouseY: where the cursor is drawn
#include "platform/window.h"

struct InputEvent {
  uint16_t Message;
  uint16_t WParam;
  int32_t LParam;
};

constexpr int kInputQueueCapacity = 1024;

struct InputQueueState {
  InputEvent entries[kInputQueueCapacity];
  int32_t count;
};

extern InputQueueState InputQueue;

extern bool DispatchEnabled;
extern bool AppActive;
extern bool StartupComplete;
extern uint8_t SurfacesLost;
extern uint8_t DeactivatedDuringStartup;
extern bool LeftDownSeen;
extern bool LeftButtonHeld;
extern bool RightButtonHeld;
extern bool RedrawRequested;
extern platform::WindowHandle MainWindowHandle;

// Appends an event; a full queue drops it. Returns false when dropped.
bool QueueInputEvent(uint32_t message, platform::WPARAM wParam, platform::LPARAM lParam);
void ClearInputQueue();

// Idle frames are paced to a 60 Hz display: an idle pass that drew nothing
// waits for input or the next frame.
constexpr uint32_t kIdleFramesPerSecond = 60;

// One pass of the main loop (nested calls from inside a mode handler only
// pump window messages).
void MainLoopStep();
void DispatchInputEvent(const InputEvent& event);
void RestoreLostSurfaces();

platform::LRESULT GameWindowProcedure(platform::WindowHandle window, uint32_t message,
                                      platform::WPARAM wParam, platform::LPARAM lParam);

// Writes a non-empty message as the only line of "Error.rep", stops the
// sound and ends the process.
[[noreturn]] void FatalExit(std::string_view message);

// Lets tests observe FatalExit instead of ending the process: while a handler
// is installed it is called after "Error.rep" has been written and must not
// return normally (it throws, typically). Pass nullptr to restore the default.
using FatalExitHandler = void (*)(const std::string& message);
void SetFatalExitHandler(FatalExitHandler handler);

// The quit sequence, run when the last mode is popped. Never returns.
[[noreturn]] void QuitGame();
