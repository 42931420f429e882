#include "output/NativeWindow.h"

#include <SDL.h>
#include <SDL_syswm.h>

namespace {

// SDL numbers its windows from 1 and never reuses a number; a process of
// this kind has a handful.
constexpr Uint32 kHighestWindowId = 1024;

SDL_Window* SdlWindowFor(const void* handle) {
  SDL_Window* first = nullptr;
  for (Uint32 id = 1; id <= kHighestWindowId; ++id) {
    SDL_Window* window = SDL_GetWindowFromID(id);
    if (window == nullptr) continue;
    if (window == handle) return window;
    if (first == nullptr) first = window;
  }
  SDL_Window* focused = SDL_GetKeyboardFocus();
  return focused != nullptr ? focused : first;
}

}  // namespace

unsigned long NativeWindowOf(HWND window) {
  if (window == nullptr || SDL_WasInit(SDL_INIT_VIDEO) == 0) return 0;
  SDL_Window* owner = SdlWindowFor(window);
  if (owner == nullptr) return 0;
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (SDL_GetWindowWMInfo(owner, &info) != SDL_TRUE) return 0;
#if defined(SDL_VIDEO_DRIVER_X11)
  if (info.subsystem == SDL_SYSWM_X11) return static_cast<unsigned long>(info.info.x11.window);
#endif
  return 0;
}
