// The platform's own reading of Windows bitmaps, for the depths and
// encodings the game does not convert itself (16 and 32 bits, 1 and 4 bits,
// run-length packed, OS/2 headers): the picture comes back as 24-bit RGB,
// as a device-context copy of the bitmap would give it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace platform {

struct RgbPicture {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgb;  // top row first, 3 bytes (red, green, blue) per pixel
};

// False when the platform cannot read the bitmap.
bool ConvertBitmapToRgb(const uint8_t* data, size_t size, RgbPicture& picture);

}  // namespace platform
