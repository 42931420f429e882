// The one game window and its message queue. SDL events are translated into
// the window messages the game handles, with Windows message numbers,
// virtual-key codes and lParam packing, so that the shell's window procedure
// reads like any window procedure.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

struct GameWindow;
using WindowHandle = GameWindow*;
using WPARAM = uintptr_t;
using LPARAM = intptr_t;
using LRESULT = intptr_t;
using WindowProcedure = LRESULT (*)(WindowHandle window, uint32_t message, WPARAM wParam, LPARAM lParam);

// The messages the translation produces.
constexpr uint32_t WM_DESTROY = 0x0002;
constexpr uint32_t WM_ACTIVATE = 0x0006;
constexpr uint32_t WM_KEYDOWN = 0x0100;
constexpr uint32_t WM_KEYUP = 0x0101;
constexpr uint32_t WM_MOUSEMOVE = 0x0200;
constexpr uint32_t WM_LBUTTONDOWN = 0x0201;
constexpr uint32_t WM_LBUTTONUP = 0x0202;
constexpr uint32_t WM_RBUTTONDOWN = 0x0204;
constexpr uint32_t WM_RBUTTONUP = 0x0205;

// Low word of WM_ACTIVATE's wParam.
constexpr WPARAM WA_INACTIVE = 0;
constexpr WPARAM WA_ACTIVE = 1;

// Class styles (kept for the record; redrawing is the game's own business).
constexpr uint32_t CS_VREDRAW = 0x0001;
constexpr uint32_t CS_HREDRAW = 0x0002;
constexpr uint32_t WS_POPUP = 0x80000000u;

// Virtual-key codes that the game names.
constexpr int VK_BACK = 8;
constexpr int VK_TAB = 9;
constexpr int VK_RETURN = 13;
constexpr int VK_SHIFT = 16;
constexpr int VK_CONTROL = 17;
constexpr int VK_MENU = 18;
constexpr int VK_CAPITAL = 20;
constexpr int VK_ESCAPE = 27;
constexpr int VK_SPACE = 32;
constexpr int VK_LEFT = 37;
constexpr int VK_UP = 38;
constexpr int VK_RIGHT = 39;
constexpr int VK_DOWN = 40;
constexpr int VK_NUMPAD0 = 96;
constexpr int VK_F1 = 112;
constexpr int VK_F11 = 122;
constexpr int VK_F12 = 123;
constexpr int VK_NUMLOCK = 144;

constexpr LPARAM MakeMouseLParam(int x, int y) {
  return static_cast<LPARAM>(static_cast<int32_t>((static_cast<uint32_t>(y) & 0xFFFFu) << 16 |
                                                  (static_cast<uint32_t>(x) & 0xFFFFu)));
}
constexpr int MouseXFromLParam(LPARAM lParam) { return static_cast<int>(static_cast<uint32_t>(lParam) & 0xFFFFu); }
constexpr int MouseYFromLParam(LPARAM lParam) {
  return static_cast<int>((static_cast<uint32_t>(lParam) >> 16) & 0xFFFFu);
}

struct WindowClass {
  uint32_t style = 0;
  WindowProcedure procedure = nullptr;
  std::string iconFile;   // loaded from this file when it exists (".ico" or ".bmp")
  std::string menuName;
  std::string className;
};

struct WindowMessage {
  WindowHandle window = nullptr;
  uint32_t message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  // The keyboard's modifier and toggle state when the message was made;
  // GetKeyState reports it once the message has been taken from the queue.
  uint16_t keyState = 0;
};

// Starts SDL's video and event subsystems with the environment's driver
// (SDL_VIDEODRIVER=dummy for headless runs). False when no video is possible.
bool InitVideo();
void ShutdownVideo();

bool RegisterWindowClass(const WindowClass& windowClass);
// Creates the window of a registered class; nullptr on failure. The window
// stays hidden until ShowGameWindow; the display set-up gives it its size.
WindowHandle CreateGameWindow(const std::string& className, const std::string& title, uint32_t style);
void ShowGameWindow(WindowHandle window);
void UpdateGameWindow(WindowHandle window);
void DestroyGameWindow(WindowHandle window);
WindowHandle MainWindow();

// True when the game should take the whole screen (no --windowed argument
// and no TERVANE_WINDOWED=1 in the environment).
bool WantsFullScreen();
void SetWindowedRequest(bool windowed);  // from the command line

// Message queue. Peek translates pending SDL events into messages first.
bool PeekWindowMessage(WindowMessage& message, bool remove);
void TranslateWindowMessage(const WindowMessage& message);  // no character messages are made
LRESULT DispatchWindowMessage(const WindowMessage& message);
LRESULT DefaultWindowProcedure(WindowHandle window, uint32_t message, WPARAM wParam, LPARAM lParam);
// Blocks until an event arrives or the timeout passes.
void WaitForWindowMessage(uint32_t timeoutMilliseconds);

// Tests put messages into the window's queue as if they came from the
// system (they are delivered by Peek in order, after translated events).
void PostTestMessage(uint32_t message, WPARAM wParam, LPARAM lParam);

// Key state: bit 15 set while the key is held; bit 0 set while a toggle key
// (Caps Lock, Num Lock) is on. As on the system the game was made for, the
// state is that of the last message taken from the queue, not of the
// keyboard right now, so a key typed with Shift reads Shift as held even
// when Shift was released before the key's message was handled. Tests may
// force the state.
int16_t GetKeyState(int virtualKey);
void SetTestKeyState(int virtualKey, bool held, bool toggled);
void ClearTestKeyStates();

// Hides or shows the system pointer over the window.
void ShowSystemCursor(bool show);

}  // namespace platform
