// Translation of SDL key codes into Windows virtual-key codes.
#pragma once

#include <SDL.h>

namespace platform {

// 0 for keys the game has no code for.
int VirtualKeyFromSdl(SDL_Keycode key);

}  // namespace platform
