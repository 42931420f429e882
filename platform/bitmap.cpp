#include "platform/bitmap.h"

#include <SDL.h>

#include <cstring>

namespace platform {

bool ConvertBitmapToRgb(const uint8_t* data, size_t size, RgbPicture& picture) {
  SDL_RWops* stream = SDL_RWFromConstMem(data, static_cast<int>(size));
  if (stream == nullptr) return false;
  SDL_Surface* loaded = SDL_LoadBMP_RW(stream, 1);
  if (loaded == nullptr) return false;
  SDL_Surface* converted = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_RGB24, 0);
  SDL_FreeSurface(loaded);
  if (converted == nullptr) return false;
  picture.width = converted->w;
  picture.height = converted->h;
  size_t rowBytes = static_cast<size_t>(converted->w) * 3;
  picture.rgb.resize(rowBytes * static_cast<size_t>(converted->h));
  for (int y = 0; y < converted->h; ++y) {
    std::memcpy(picture.rgb.data() + rowBytes * y,
                static_cast<const uint8_t*>(converted->pixels) + static_cast<ptrdiff_t>(y) * converted->pitch,
                rowBytes);
  }
  SDL_FreeSurface(converted);
  return true;
}

}  // namespace platform
