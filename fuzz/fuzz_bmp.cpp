// Fuzzes the bitmap path of picture loading: the header check, the direct
// 8- and 24-bit conversions and the platform's reading of other bitmaps.
#include <cstdint>
#include <vector>

#include "graphics/bmp.h"
#include "graphics/jpeg.h"
#include "graphics/pixelops.h"
#include "platform/bitmap.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static bool prepared = false;
  if (!prepared) {
    SelectPixelFormat(platform::PixelMasks{0xF800, 0x07E0, 0x001F});
    prepared = true;
  }
  BmpLayout layout;
  BmpKind kind = ReadBmpLayout(data, size, layout);
  if (kind == BmpKind::kDirect) {
    int pitch = layout.width + 3;
    std::vector<uint16_t> pixels(static_cast<size_t>(pitch) * layout.height);
    ConvertBmpPixels(data, layout, pixels.data(), pitch);
  } else if (kind == BmpKind::kPlatform) {
    platform::RgbPicture picture;
    if (platform::ConvertBitmapToRgb(data, size, picture) && picture.width <= kMaxPictureSide &&
        picture.height <= kMaxPictureSide) {
      std::vector<uint16_t> pixels(static_cast<size_t>(picture.width) * picture.height);
      ConvertRgbPixels(picture, pixels.data(), picture.width);
    }
  }
  return 0;
}
