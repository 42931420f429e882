// Pictures while they are painted: floating-point RGB canvases and
// single-channel coverage masks, with the few blending operations every
// painter uses.
#pragma once

#include <cstdint>
#include <vector>

namespace art {

struct Colour {
  float r = 0, g = 0, b = 0;  // 0..255
};

Colour Mix(Colour a, Colour b, float t);  // t = 0 gives a, 1 gives b
Colour Scale(Colour c, float factor);
Colour Add(Colour a, Colour b);

struct Rect {
  int x = 0, y = 0, width = 0, height = 0;
  int Right() const { return x + width; }    // exclusive
  int Bottom() const { return y + height; }  // exclusive
  Rect Inset(int by) const { return {x + by, y + by, width - 2 * by, height - 2 * by}; }
};

class Mask {
 public:
  Mask() = default;
  Mask(int width, int height);
  int Width() const { return width_; }
  int Height() const { return height_; }
  float At(int x, int y) const;  // 0 outside
  void Set(int x, int y, float value);
  void Max(int x, int y, float value);  // keeps the larger coverage
  // Grows the covered area by a radius (disc-shaped maximum filter).
  Mask Dilated(int radius) const;
  // Box blur repeated three times (close to a Gaussian).
  Mask Blurred(int radius) const;
  // Coverage of this mask with another one's covered part taken away.
  Mask Minus(const Mask& other) const;

 private:
  int width_ = 0, height_ = 0;
  std::vector<float> values_;
};

class Canvas {
 public:
  Canvas() = default;
  Canvas(int width, int height, Colour fill = {});
  int Width() const { return width_; }
  int Height() const { return height_; }
  Colour At(int x, int y) const;  // clamped to the edges
  void Set(int x, int y, Colour colour);  // ignores points outside
  // Blends the colour in with the given opacity (0..1).
  void Blend(int x, int y, Colour colour, float opacity);
  void Fill(const Rect& rect, Colour colour);
  // Paints the colour through the mask placed with its top-left at (x, y).
  void Paint(const Mask& mask, int x, int y, Colour colour, float opacity = 1.0f);
  // Copies another canvas with its top-left at (x, y).
  void Draw(const Canvas& source, int x, int y);
  Canvas Crop(const Rect& rect) const;
  // Multiplies brightness inside the rectangle.
  void Shade(const Rect& rect, float factor);

  // 8-bit RGB, rows top to bottom. With keyed, every pixel that the game's
  // 16-bit colour key would take for black becomes exactly black, so faint
  // anti-aliasing fringes on the transparent ground vanish cleanly.
  std::vector<uint8_t> Rgb8(bool keyed) const;

 private:
  int width_ = 0, height_ = 0;
  std::vector<Colour> pixels_;
};

}  // namespace art
