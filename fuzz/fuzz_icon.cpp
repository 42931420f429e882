// The window icon reader: any bytes as "Eicon.ico". An accepted icon has
// one colour for every pixel of a size the window system takes.
#include <cstddef>
#include <cstdint>

#include "file_harness.h"
#include "platform/icon.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  platform::IconImage image;
  if (!platform::DecodeIcon(data, size, image)) return 0;
  fuzzing::Require(image.width > 0 && image.width <= 256 && image.height > 0 && image.height <= 256);
  fuzzing::Require(image.argb.size() == static_cast<size_t>(image.width) * image.height);
  return 0;
}
