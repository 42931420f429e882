// Windows bitmaps: the header check, and the direct conversion of 8-bit
// (palette) and 24-bit pictures into 16-bit display pixels. Every other depth
// or encoding is left to the platform's bitmap reading.
#pragma once

#include <cstddef>
#include <cstdint>

// Pictures wider or higher than this are refused as damaged.
constexpr int kMaxPictureSide = 4096;

enum class BmpKind {
  kDirect,    // 8 or 24 bits, not packed: converted here
  kPlatform,  // any other depth or encoding: the platform converts it
  kDamaged,   // not a bitmap, or its data lies outside the file
};

struct BmpLayout {
  int width = 0;
  int height = 0;
  bool topDown = false;
  int bitsPerPixel = 0;
  size_t pixelOffset = 0;
  size_t stride = 0;          // bytes per stored row
  size_t paletteOffset = 0;
  int paletteCount = 0;       // 8-bit pictures: palette entries in the file
};

BmpKind ReadBmpLayout(const uint8_t* data, size_t size, BmpLayout& layout);

// Writes a direct picture with PackColour: picture row y to line y of the
// destination (pitch in pixels). 8-bit pixels go through a 256-entry table of
// the packed palette (entries missing from the file are black).
void ConvertBmpPixels(const uint8_t* data, const BmpLayout& layout, uint16_t* destination, int pitchPixels);
