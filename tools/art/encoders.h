// File formats the art generator writes. Every writer is deterministic: the
// same pixels give the same bytes.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/art/canvas.h"

namespace art {

// Windows bitmap, 24 bits per pixel, bottom-up rows padded to 4 bytes.
// keyed: the picture is drawn with black as transparent colour.
std::vector<uint8_t> EncodeBmp(const Canvas& canvas, bool keyed);

// Baseline JPEG through libjpeg at the given quality.
std::vector<uint8_t> EncodeJpeg(const Canvas& canvas, int quality);

// Windows icon with one 32-bit image; exact black is transparent.
std::vector<uint8_t> EncodeIco(const Canvas& canvas);

// PNG, 8-bit RGB, or RGBA with exact black transparent.
std::vector<uint8_t> EncodePng(const Canvas& canvas, bool blackTransparent);

}  // namespace art
