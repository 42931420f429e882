#include "graphics/bmp.h"

#include <cstring>

#include "graphics/pixelops.h"

namespace {

uint32_t ReadU32(const uint8_t* at) {
  uint32_t value;
  std::memcpy(&value, at, 4);
  return value;
}
uint16_t ReadU16(const uint8_t* at) {
  uint16_t value;
  std::memcpy(&value, at, 2);
  return value;
}

constexpr size_t kFileHeaderSize = 14;
constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kUncompressed = 0;

bool Inside(size_t offset, size_t length, size_t size) { return offset <= size && length <= size - offset; }

}  // namespace

BmpKind ReadBmpLayout(const uint8_t* data, size_t size, BmpLayout& layout) {
  if (size < kFileHeaderSize + 4 || data[0] != 'B' || data[1] != 'M') return BmpKind::kDamaged;
  uint32_t infoSize = ReadU32(data + kFileHeaderSize);
  if (infoSize == kCoreHeaderSize) {
    if (size < kFileHeaderSize + kCoreHeaderSize) return BmpKind::kDamaged;
    int coreWidth = ReadU16(data + kFileHeaderSize + 4);
    int coreHeight = ReadU16(data + kFileHeaderSize + 6);
    bool fits = coreWidth > 0 && coreWidth <= kMaxPictureSide && coreHeight > 0 && coreHeight <= kMaxPictureSide;
    return fits ? BmpKind::kPlatform : BmpKind::kDamaged;
  }
  if (infoSize < kInfoHeaderSize || !Inside(kFileHeaderSize, infoSize, size)) return BmpKind::kDamaged;
  const uint8_t* info = data + kFileHeaderSize;
  int32_t width = static_cast<int32_t>(ReadU32(info + 4));
  int32_t height = static_cast<int32_t>(ReadU32(info + 8));
  if (width <= 0 || width > kMaxPictureSide || height == 0 || height < -kMaxPictureSide ||
      height > kMaxPictureSide) {
    return BmpKind::kDamaged;
  }
  layout.width = width;
  layout.height = height < 0 ? -height : height;
  layout.topDown = height < 0;
  layout.bitsPerPixel = ReadU16(info + 14);
  uint32_t compression = ReadU32(info + 16);
  if ((layout.bitsPerPixel != 8 && layout.bitsPerPixel != 24) || compression != kUncompressed) {
    return BmpKind::kPlatform;
  }
  layout.pixelOffset = ReadU32(data + 10);
  layout.stride = (static_cast<size_t>(width) * layout.bitsPerPixel + 31) / 32 * 4;
  size_t lastRow = static_cast<size_t>(width) * layout.bitsPerPixel / 8;
  if (!Inside(layout.pixelOffset, layout.stride * (layout.height - 1) + lastRow, size)) return BmpKind::kDamaged;
  if (layout.bitsPerPixel == 8) {
    uint32_t used = ReadU32(info + 32);
    if (used > 256) return BmpKind::kDamaged;
    layout.paletteCount = used == 0 ? 256 : static_cast<int>(used);
    layout.paletteOffset = kFileHeaderSize + infoSize;
    if (!Inside(layout.paletteOffset, static_cast<size_t>(layout.paletteCount) * 4, size)) return BmpKind::kDamaged;
  }
  return BmpKind::kDirect;
}

void ConvertBmpPixels(const uint8_t* data, const BmpLayout& layout, uint16_t* destination, int pitchPixels) {
  uint16_t table[256];
  if (layout.bitsPerPixel == 8) {
    const uint8_t* palette = data + layout.paletteOffset;
    for (int i = 0; i < 256; ++i) {
      table[i] = i < layout.paletteCount ? PackColour(palette[4 * i + 2], palette[4 * i + 1], palette[4 * i])
                                         : PackColour(0, 0, 0);
    }
  }
  for (int y = 0; y < layout.height; ++y) {
    int storedRow = layout.topDown ? y : layout.height - 1 - y;
    const uint8_t* source = data + layout.pixelOffset + layout.stride * storedRow;
    uint16_t* line = destination + static_cast<ptrdiff_t>(y) * pitchPixels;
    if (layout.bitsPerPixel == 8) {
      for (int x = 0; x < layout.width; ++x) line[x] = table[source[x]];
    } else {
      for (int x = 0; x < layout.width; ++x, source += 3) line[x] = PackColour(source[2], source[1], source[0]);
    }
  }
}
