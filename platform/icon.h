// Window icons from ".ico" files (device-independent-bitmap images of 1, 4,
// 8, 24 or 32 bits with their transparency mask).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct SDL_Window;

namespace platform {

struct IconImage {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> argb;  // row-major, top row first, 0xAARRGGBB
};

// Decodes the image of the icon file closest to 32 x 32. False for anything
// that is not a well-formed icon of a supported depth.
bool DecodeIcon(const uint8_t* data, size_t size, IconImage& image);

// Gives the window the icon of the named file; false when it cannot be read.
bool SetWindowIconFromFile(SDL_Window* window, const std::string& gameName);

}  // namespace platform
