// Fuzzes the JPEG path of picture loading: decoding from memory and the
// conversion into display pixels.
#include <cstdint>
#include <vector>

#include "graphics/jpeg.h"
#include "graphics/pixelops.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static bool prepared = false;
  if (!prepared) {
    SelectPixelFormat(platform::PixelMasks{0x7C00, 0x03E0, 0x001F});
    prepared = true;
  }
  platform::RgbPicture picture;
  if (DecodeJpeg(data, size, picture)) {
    if (picture.rgb.size() != static_cast<size_t>(picture.width) * picture.height * 3) __builtin_trap();
    std::vector<uint16_t> pixels(static_cast<size_t>(picture.width) * picture.height);
    ConvertRgbPixels(picture, pixels.data(), picture.width);
  }
  return 0;
}
