#include "platform/window.h"

#include <SDL.h>

#include <cstdlib>
#include <cstring>
#include <deque>
#include <map>

#include "platform/ddraw.h"
#include "platform/icon.h"
#include "platform/keymap.h"

namespace platform {

struct GameWindow {
  SDL_Window* sdlWindow = nullptr;
  WindowClass windowClass;
  std::string title;
};

SDL_Window* SdlWindowOf(WindowHandle window) { return window != nullptr ? window->sdlWindow : nullptr; }

namespace {

bool g_videoReady = false;
std::map<std::string, WindowClass> g_classes;
GameWindow* g_mainWindow = nullptr;
std::deque<WindowMessage> g_messages;
uint16_t g_messageKeyState = 0;  // the modifiers as of the last message taken
bool g_windowedRequest = false;

struct TestKeyState {
  bool forced = false;
  bool held = false;
  bool toggled = false;
};
std::map<int, TestKeyState> g_testKeys;

int ClampCoordinate(int value, int limit) {
  if (value < 0) return 0;
  if (value >= limit) return limit - 1;
  return value;
}

uint16_t CurrentKeyState() { return g_videoReady ? static_cast<uint16_t>(SDL_GetModState()) : g_messageKeyState; }

void Post(uint32_t message, WPARAM wParam, LPARAM lParam, uint16_t keyState) {
  g_messages.push_back(WindowMessage{g_mainWindow, message, wParam, lParam, keyState});
}

void Post(uint32_t message, WPARAM wParam, LPARAM lParam) { Post(message, wParam, lParam, CurrentKeyState()); }

void TranslateMouseButton(const SDL_MouseButtonEvent& button, bool down) {
  LPARAM position = MakeMouseLParam(ClampCoordinate(button.x, 800), ClampCoordinate(button.y, 600));
  if (button.button == SDL_BUTTON_LEFT) {
    Post(down ? WM_LBUTTONDOWN : WM_LBUTTONUP, down ? 1 : 0, position);
  } else if (button.button == SDL_BUTTON_RIGHT) {
    Post(down ? WM_RBUTTONDOWN : WM_RBUTTONUP, down ? 2 : 0, position);
  }
}

void TranslateWindowEvent(const SDL_WindowEvent& event) {
  switch (event.event) {
    case SDL_WINDOWEVENT_FOCUS_GAINED:
      Post(WM_ACTIVATE, WA_ACTIVE, 0);
      break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
      Post(WM_ACTIVATE, WA_INACTIVE, 0);
      break;
    case SDL_WINDOWEVENT_CLOSE:
      Post(WM_DESTROY, 0, 0);
      break;
    default:
      break;
  }
}

void TranslateEvent(const SDL_Event& event) {
  switch (event.type) {
    case SDL_QUIT:
      Post(WM_DESTROY, 0, 0);
      break;
    case SDL_WINDOWEVENT:
      TranslateWindowEvent(event.window);
      break;
    case SDL_MOUSEMOTION:
      Post(WM_MOUSEMOVE, 0,
           MakeMouseLParam(ClampCoordinate(event.motion.x, 800), ClampCoordinate(event.motion.y, 600)));
      break;
    case SDL_MOUSEBUTTONDOWN:
      TranslateMouseButton(event.button, true);
      break;
    case SDL_MOUSEBUTTONUP:
      TranslateMouseButton(event.button, false);
      break;
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
      int virtualKey = VirtualKeyFromSdl(event.key.keysym.sym);
      if (virtualKey != 0) {
        // lParam as the system gives it: repeat count 1, scan code, bit 30
        // set for an auto-repeated key (and for every release).
        bool down = event.type == SDL_KEYDOWN;
        LPARAM lParam = 1 | (event.key.keysym.scancode & 0xFF) << 16 |
                        (event.key.repeat || !down ? 1 << 30 : 0) | (down ? 0 : 1u << 31);
        Post(down ? WM_KEYDOWN : WM_KEYUP, static_cast<WPARAM>(virtualKey), lParam, event.key.keysym.mod);
      }
      break;
    }
    case SDL_RENDER_TARGETS_RESET:
    case SDL_RENDER_DEVICE_RESET:
      MarkDisplaySurfacesLost();
      break;
    default:
      break;
  }
}

void PumpSdlEvents() {
  if (!g_videoReady) return;
  SDL_Event event;
  while (SDL_PollEvent(&event)) TranslateEvent(event);
}

}  // namespace

bool InitVideo() {
  if (g_videoReady) return true;
  SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
  SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
  if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) return false;
  g_videoReady = true;
  g_messageKeyState = static_cast<uint16_t>(SDL_GetModState());
  return true;
}

void ShutdownVideo() {
  if (!g_videoReady) return;
  ReleaseDirectDraw();
  if (g_mainWindow != nullptr) DestroyGameWindow(g_mainWindow);
  SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
  g_videoReady = false;
}

bool RegisterWindowClass(const WindowClass& windowClass) {
  if (windowClass.procedure == nullptr || windowClass.className.empty()) return false;
  if (g_classes.count(windowClass.className) != 0) return false;
  g_classes[windowClass.className] = windowClass;
  return true;
}

WindowHandle CreateGameWindow(const std::string& className, const std::string& title, uint32_t) {
  auto found = g_classes.find(className);
  if (found == g_classes.end() || !InitVideo()) return nullptr;
  SDL_Window* sdlWindow = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                           800, 600, SDL_WINDOW_HIDDEN);
  if (sdlWindow == nullptr) return nullptr;
  auto* window = new GameWindow{sdlWindow, found->second, title};
  if (!window->windowClass.iconFile.empty()) SetWindowIconFromFile(sdlWindow, window->windowClass.iconFile);
  if (g_mainWindow == nullptr) g_mainWindow = window;
  return window;
}

void ShowGameWindow(WindowHandle window) {
  if (window == nullptr) return;
  SDL_ShowWindow(window->sdlWindow);
  SDL_RaiseWindow(window->sdlWindow);
}

void UpdateGameWindow(WindowHandle window) {
  // The game paints through the display; the window itself has nothing to
  // repaint, but pending events are taken in now as the system would.
  (void)window;
  PumpSdlEvents();
}

void DestroyGameWindow(WindowHandle window) {
  if (window == nullptr) return;
  SDL_DestroyWindow(window->sdlWindow);
  if (window == g_mainWindow) g_mainWindow = nullptr;
  delete window;
}

WindowHandle MainWindow() { return g_mainWindow; }

bool WantsFullScreen() {
  if (g_windowedRequest) return false;
  const char* windowed = std::getenv("TERVANE_WINDOWED");
  return !(windowed != nullptr && std::strcmp(windowed, "1") == 0);
}

void SetWindowedRequest(bool windowed) { g_windowedRequest = windowed; }

bool PeekWindowMessage(WindowMessage& message, bool remove) {
  if (g_messages.empty()) PumpSdlEvents();
  if (g_messages.empty()) return false;
  message = g_messages.front();
  if (remove) {
    g_messageKeyState = message.keyState;
    g_messages.pop_front();
  }
  return true;
}

void TranslateWindowMessage(const WindowMessage&) {}

LRESULT DispatchWindowMessage(const WindowMessage& message) {
  WindowHandle window = message.window != nullptr ? message.window : g_mainWindow;
  if (window == nullptr || window->windowClass.procedure == nullptr) {
    return DefaultWindowProcedure(window, message.message, message.wParam, message.lParam);
  }
  return window->windowClass.procedure(window, message.message, message.wParam, message.lParam);
}

LRESULT DefaultWindowProcedure(WindowHandle, uint32_t, WPARAM, LPARAM) { return 0; }

void WaitForWindowMessage(uint32_t timeoutMilliseconds) {
  if (!g_messages.empty()) return;
  if (!g_videoReady) {
    SDL_Delay(timeoutMilliseconds);
    return;
  }
  SDL_WaitEventTimeout(nullptr, static_cast<int>(timeoutMilliseconds));
}

void PostTestMessage(uint32_t message, WPARAM wParam, LPARAM lParam) { Post(message, wParam, lParam); }

int16_t GetKeyState(int virtualKey) {
  auto forced = g_testKeys.find(virtualKey);
  bool held = false;
  bool toggled = false;
  if (forced != g_testKeys.end() && forced->second.forced) {
    held = forced->second.held;
    toggled = forced->second.toggled;
  } else {
    uint16_t modifiers = g_messageKeyState;
    switch (virtualKey) {
      case VK_SHIFT: held = (modifiers & KMOD_SHIFT) != 0; break;
      case VK_CONTROL: held = (modifiers & KMOD_CTRL) != 0; break;
      case VK_MENU: held = (modifiers & KMOD_ALT) != 0; break;
      case VK_CAPITAL: toggled = (modifiers & KMOD_CAPS) != 0; break;
      case VK_NUMLOCK: toggled = (modifiers & KMOD_NUM) != 0; break;
      default: break;
    }
  }
  return static_cast<int16_t>((held ? 0x8000 : 0) | (toggled ? 1 : 0));
}

void SetTestKeyState(int virtualKey, bool held, bool toggled) {
  g_testKeys[virtualKey] = TestKeyState{true, held, toggled};
}

void ClearTestKeyStates() { g_testKeys.clear(); }

void ShowSystemCursor(bool show) {
  if (g_videoReady) SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE);
}

}  // namespace platform
