// 16-bit pixel arithmetic in the display's format. The format (5-6-5 or
// 5-5-5) is detected once at display set-up; afterwards the four operations
// are called through the PixelOps table and nobody else looks at the format.
#pragma once

#include <cstdint>

#include "platform/ddraw.h"

using Pixel = uint16_t;

struct PixelOperations {
  Pixel (*PackColour)(int red, int green, int blue);
  Pixel (*Brighten)(Pixel pixel, int amount);
  Pixel (*Darken)(Pixel pixel, int amount);
  Pixel (*AdjustChannels)(Pixel pixel, int redStep, int greenStep, int blueStep);
};

struct PixelFormatRecord {
  uint32_t blueMask = 0;
  uint32_t greenMask = 0;
  uint32_t redMask = 0;
  uint32_t blueUnit = 0;    // blue mask + 1
  uint32_t greenLevels = 0; // 64 for 5-6-5, 32 for 5-5-5
  PixelOperations operations{};
  Pixel black = 0;
  Pixel white = 0;
};

extern PixelFormatRecord PixelFormat;
extern PixelOperations PixelOps;

// Reads the primary surface's format and selects the family; a failure ends
// the game as a fatal error with the platform's description of the error.
void DetectPixelFormat();
// Selects the family from masks directly (tests, tools).
void SelectPixelFormat(const platform::PixelMasks& masks);

// The members of each family, callable directly by tests.
namespace pixel565 {
Pixel PackColour(int red, int green, int blue);
Pixel Brighten(Pixel pixel, int amount);
Pixel Darken(Pixel pixel, int amount);
Pixel AdjustChannels(Pixel pixel, int redStep, int greenStep, int blueStep);
}  // namespace pixel565
namespace pixel555 {
Pixel PackColour(int red, int green, int blue);
Pixel Brighten(Pixel pixel, int amount);
Pixel Darken(Pixel pixel, int amount);
Pixel AdjustChannels(Pixel pixel, int redStep, int greenStep, int blueStep);
}  // namespace pixel555

inline Pixel PackColour(int red, int green, int blue) { return PixelOps.PackColour(red, green, blue); }
inline Pixel Darken(Pixel pixel, int amount) { return PixelOps.Darken(pixel, amount); }
inline Pixel Brighten(Pixel pixel, int amount) { return PixelOps.Brighten(pixel, amount); }
inline Pixel AdjustChannels(Pixel pixel, int redStep, int greenStep, int blueStep) {
  return PixelOps.AdjustChannels(pixel, redStep, greenStep, blueStep);
}
