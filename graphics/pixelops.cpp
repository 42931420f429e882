#include "graphics/pixelops.h"

#include <algorithm>

#include "graphics/display.h"
#include "graphics/graphics_host.h"

namespace {

// One 16-bit layout: red at RedShift, green at bit 5 with GreenBits bits,
// blue at bit 0; red and blue have 5 bits.
template <int RedShift, int GreenBits>
struct Layout {
  static constexpr uint32_t kRedMask = 31u << RedShift;
  static constexpr uint32_t kGreenMask = ((1u << GreenBits) - 1) << 5;
  static constexpr uint32_t kBlueMask = 31u;
  static constexpr int kGreenDivisor = GreenBits == 6 ? 4 : 8;

  // A step in field units as an amount in place: steps beyond the field's
  // whole range act as the whole range, so that no step reaches the
  // neighbouring field.
  static uint32_t Amount(uint32_t mask, int shift, int step) {
    uint32_t fieldMaximum = mask >> shift;
    uint32_t units = step <= 0 ? 0 : std::min(static_cast<uint32_t>(step), fieldMaximum);
    return units << shift;
  }

  // Saturating subtraction of `step` field units from one field.
  static uint32_t Lower(uint32_t pixel, uint32_t mask, int shift, int step) {
    uint32_t field = pixel & mask;
    uint32_t amount = Amount(mask, shift, step);
    return field > amount ? field - amount : 0;
  }

  // Saturating addition of `step` field units to one field.
  static uint32_t Raise(uint32_t pixel, uint32_t mask, int shift, int step) {
    uint32_t field = pixel & mask;
    uint32_t amount = Amount(mask, shift, step);
    return field < mask - amount ? field + amount : mask;
  }

  // A signed step: raise when positive, lower by its magnitude otherwise.
  static uint32_t Shift(uint32_t pixel, uint32_t mask, int shift, int step) {
    return step > 0 ? Raise(pixel, mask, shift, step) : Lower(pixel, mask, shift, -step);
  }

  static Pixel PackColour(int red, int green, int blue) {
    return static_cast<Pixel>(((red / 8) << RedShift) + ((green / kGreenDivisor) << 5) + (blue / 8));
  }

  static Pixel Darken(Pixel pixel, int amount) {
    return static_cast<Pixel>(Lower(pixel, kRedMask, RedShift, amount / 8) +
                              Lower(pixel, kGreenMask, 5, amount / kGreenDivisor) +
                              Lower(pixel, kBlueMask, 0, amount / 8));
  }

  static Pixel Brighten(Pixel pixel, int amount) {
    return static_cast<Pixel>(Raise(pixel, kRedMask, RedShift, amount / 8) +
                              Raise(pixel, kGreenMask, 5, amount / kGreenDivisor) +
                              Raise(pixel, kBlueMask, 0, amount / 8));
  }

  static Pixel AdjustChannels(Pixel pixel, int redStep, int greenStep, int blueStep) {
    return static_cast<Pixel>(Shift(pixel, kRedMask, RedShift, redStep / 8) +
                              Shift(pixel, kGreenMask, 5, greenStep / kGreenDivisor) +
                              Shift(pixel, kBlueMask, 0, blueStep / 8));
  }

  static constexpr PixelOperations kOperations{PackColour, Brighten, Darken, AdjustChannels};
};

using Layout565 = Layout<11, 6>;
using Layout555 = Layout<10, 5>;

}  // namespace

// Until the display's format is detected, the 5-6-5 family is in place.
PixelOperations PixelOps = Layout565::kOperations;
PixelFormatRecord PixelFormat{0x1F, 0x7E0, 0xF800, 0x20, 64, Layout565::kOperations, 0, 0xFFFF};

namespace pixel565 {
Pixel PackColour(int red, int green, int blue) { return Layout565::PackColour(red, green, blue); }
Pixel Brighten(Pixel pixel, int amount) { return Layout565::Brighten(pixel, amount); }
Pixel Darken(Pixel pixel, int amount) { return Layout565::Darken(pixel, amount); }
Pixel AdjustChannels(Pixel pixel, int r, int g, int b) { return Layout565::AdjustChannels(pixel, r, g, b); }
}  // namespace pixel565

namespace pixel555 {
Pixel PackColour(int red, int green, int blue) { return Layout555::PackColour(red, green, blue); }
Pixel Brighten(Pixel pixel, int amount) { return Layout555::Brighten(pixel, amount); }
Pixel Darken(Pixel pixel, int amount) { return Layout555::Darken(pixel, amount); }
Pixel AdjustChannels(Pixel pixel, int r, int g, int b) { return Layout555::AdjustChannels(pixel, r, g, b); }
}  // namespace pixel555

void SelectPixelFormat(const platform::PixelMasks& masks) {
  PixelFormat.blueMask = masks.blue;
  PixelFormat.greenMask = masks.green;
  PixelFormat.redMask = masks.red;
  PixelFormat.blueUnit = masks.blue + 1;
  PixelFormat.greenLevels = PixelFormat.blueUnit != 0
                                ? (PixelFormat.blueUnit + masks.green) / PixelFormat.blueUnit
                                : 0;
  PixelFormat.operations =
      PixelFormat.greenLevels == 64 ? Layout565::kOperations : Layout555::kOperations;
  PixelOps = PixelFormat.operations;
  PixelFormat.black = PixelOps.PackColour(0, 0, 0);
  PixelFormat.white = PixelOps.PackColour(255, 255, 255);
}

void DetectPixelFormat() {
  platform::PixelMasks masks;
  platform::DDResult result = platform::GetPixelFormat(*PrimarySurface, masks);
  if (result != platform::DD_OK) GraphicsFatalError(platform::DirectDrawErrorText(result));
  SelectPixelFormat(masks);
}
