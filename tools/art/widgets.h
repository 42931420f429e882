// The parts the screens are built from: dark metal plates with bevels and
// rivets, hazard stripes, the radiation trefoil, bevelled buttons in their
// three states and framed windows.
#pragma once

#include <cstdint>
#include <string>

#include "tools/art/canvas.h"
#include "tools/art/text.h"

namespace art {

namespace palette {
constexpr Colour kMetal{58, 63, 66};
constexpr Colour kMetalDark{30, 33, 35};
constexpr Colour kLight{170, 176, 172};
constexpr Colour kEdge{12, 14, 14};
constexpr Colour kSand{226, 210, 160};
constexpr Colour kGlow{150, 255, 70};
constexpr Colour kGlowSoft{96, 200, 50};
constexpr Colour kHazardYellow{236, 190, 40};
constexpr Colour kHazardDark{26, 24, 20};
constexpr Colour kAmber{255, 176, 64};
}  // namespace palette

// Brushed dark metal filling the rectangle.
void MetalPlate(Canvas& canvas, const Rect& rect, uint32_t seed, Colour base = palette::kMetal);
// Light upper-left and dark lower-right edges (swapped when sunken).
void Bevel(Canvas& canvas, const Rect& rect, int width, bool raised, float strength = 1.0f);
void Rivet(Canvas& canvas, int cx, int cy, int radius);
void RivetCorners(Canvas& canvas, const Rect& rect, int inset);
// Diagonal yellow and dark warning stripes.
void HazardStripes(Canvas& canvas, const Rect& rect, int stripeWidth);
// The three-bladed radiation sign with its hub, centred at (cx, cy).
Mask TrefoilMask(int width, int height, float cx, float cy, float radius);
// A recessed dark display well (for counters and the status line).
void DisplayWell(Canvas& canvas, const Rect& rect, Colour tint = {16, 24, 18});

enum class ButtonState { kNormal, kHover, kPressed };

// The label style of a button face in a state, at a pixel size.
TextStyle ButtonLabelStyle(ButtonState state, int size);

// A bevelled button face of the given size with its label centred.
Canvas ButtonFace(const Faces& faces, int width, int height, const std::string& label,
                  ButtonState state, uint32_t seed);

// A framed window: metal plate, bevel, rivets and a hazard-striped title bar.
Canvas WindowFrame(const Faces& faces, int width, int height, const std::string& title,
                   uint32_t seed);
constexpr int kTitleBarHeight = 36;

}  // namespace art
