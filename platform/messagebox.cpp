#include "platform/messagebox.h"

#include <SDL.h>

#include <cstdio>
#include <string>

namespace platform {

void ShowErrorBox(std::string_view text) {
  std::string message(text);
  const char* driver = SDL_GetCurrentVideoDriver();
  bool shown = false;
  if (driver != nullptr && std::string(driver) != "dummy" && std::string(driver) != "offscreen") {
    shown = SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, "Error", message.c_str(), nullptr) == 0;
  }
  if (!shown) {
    std::fprintf(stderr, "Error: %s\n", message.c_str());
    std::fflush(stderr);
  }
}

}  // namespace platform
