// JPEG pictures, decoded from memory with the decompression set to favour
// speed over quality, into 24-bit RGB.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/bitmap.h"

// False for data the decoder cannot read, colour spaces it cannot turn into
// RGB, and pictures larger than kMaxPictureSide.
bool DecodeJpeg(const uint8_t* data, size_t size, platform::RgbPicture& picture);

// Writes an RGB picture with PackColour, row y to line y (pitch in pixels).
void ConvertRgbPixels(const platform::RgbPicture& picture, uint16_t* destination, int pitchPixels);
