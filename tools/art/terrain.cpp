#include "tools/art/terrain.h"

#include <algorithm>
#include <cmath>

#include "tools/art/noise.h"

namespace art {

void PaintSea(Canvas& canvas, const Rect& rect, uint32_t seed) {
  const Colour deep{8, 30, 58};
  const Colour shallow{22, 70, 96};
  for (int y = rect.y; y < rect.Bottom(); ++y) {
    for (int x = rect.x; x < rect.Right(); ++x) {
      float depth = FractalNoise(seed, x * 0.006f, y * 0.006f, 4);
      float swell = std::sin(x * 0.045f + y * 0.018f + FractalNoise(seed + 1, x * 0.02f, y * 0.02f, 3) * 6.0f);
      float sparkle = FractalNoise(seed + 2, x * 0.12f, y * 0.3f, 2);
      Colour c = Mix(deep, shallow, std::clamp(depth * 1.3f - 0.25f, 0.0f, 1.0f));
      c = Scale(c, 1.0f + swell * 0.06f);
      if (sparkle > 0.72f) c = Mix(c, {70, 130, 150}, (sparkle - 0.72f) * 1.6f);
      canvas.Set(x, y, c);
    }
  }
}

namespace {

// Noise that repeats every `size` pixels; features `cells` per tile.
float Tiled(uint32_t seed, int x, int y, int size, int cells, int octaves) {
  float scale = static_cast<float>(cells) / static_cast<float>(size);
  return TiledFractalNoise(seed, x * scale, y * scale, octaves, cells);
}

}  // namespace

Canvas LandTexture(int size, uint32_t seed) {
  Canvas texture(size, size);
  const Colour sand{206, 190, 132};
  const Colour grass{122, 150, 76};
  const Colour moss{92, 120, 62};
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      float patches = Tiled(seed, x, y, size, 8, 4);
      float tufts = Tiled(seed + 1, x, y, size, 64, 2);
      float grain = LatticeValue(seed + 2, x, y);
      Colour c = Mix(sand, grass, std::clamp((patches - 0.38f) * 2.4f, 0.0f, 1.0f));
      if (tufts > 0.68f) c = Mix(c, moss, (tufts - 0.68f) * 2.0f);
      c = Scale(c, 0.93f + grain * 0.12f);
      texture.Set(x, y, c);
    }
  }
  return texture;
}

Canvas FogTexture(int size, uint32_t seed) {
  Canvas texture(size, size);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      float warp = Tiled(seed + 1, x, y, size, 4, 3);
      float cloud = Tiled(seed, x + static_cast<int>(warp * 40), y, size, 8, 5);
      float wisp = Tiled(seed + 2, x, y, size, 32, 2);
      float grain = LatticeValue(seed + 3, x, y);
      float level = 108.0f + cloud * 86.0f + wisp * 16.0f + grain * 6.0f;
      texture.Set(x, y, {level * 0.98f, level, level * 1.05f});
    }
  }
  return texture;
}

Canvas CursedTexture(int size, uint32_t seed) {
  Canvas texture(size, size);
  const Colour scorched{46, 44, 26};
  const Colour glow{150, 240, 40};
  const Colour core{236, 255, 150};
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      float blotch = Tiled(seed, x, y, size, 12, 4);
      float vein = 1.0f - std::abs(Tiled(seed + 1, x, y, size, 16, 4) - 0.5f) * 2.0f;
      float grain = LatticeValue(seed + 2, x, y);
      float heat = std::clamp((blotch - 0.42f) * 3.0f, 0.0f, 1.0f);
      float veinHeat = std::pow(vein, 6.0f) * 0.9f;
      float h = std::max(heat, veinHeat);
      Colour c = Mix(scorched, glow, h);
      if (h > 0.8f) c = Mix(c, core, (h - 0.8f) * 4.0f);
      c = Scale(c, 0.9f + grain * 0.2f);
      texture.Set(x, y, c);
    }
  }
  return texture;
}

Mask IslandMask(int width, int height, float cx, float cy, float rx, float ry, uint32_t seed) {
  Mask mask(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      float dx = (x - cx) / rx, dy = (y - cy) / ry;
      float distance = std::sqrt(dx * dx + dy * dy);
      float edge = 0.75f + (FractalNoise(seed, x * 0.02f, y * 0.02f, 4) - 0.5f) * 0.8f;
      mask.Set(x, y, std::clamp((edge - distance) * 12.0f, 0.0f, 1.0f));
    }
  }
  return mask;
}

void PaintIsland(Canvas& canvas, const Mask& island, uint32_t seed, float glow) {
  Mask shallows = island.Dilated(5).Blurred(4);
  canvas.Paint(shallows, 0, 0, {40, 110, 120}, 0.55f);
  Mask beach = island.Dilated(2);
  canvas.Paint(beach, 0, 0, {214, 200, 146});
  const Colour sand{190, 176, 120};
  const Colour grass{96, 128, 62};
  for (int y = 0; y < island.Height(); ++y) {
    for (int x = 0; x < island.Width(); ++x) {
      float cover = island.At(x, y);
      if (cover <= 0.0f) continue;
      float patch = FractalNoise(seed + 5, x * 0.03f, y * 0.03f, 4);
      float heat = FractalNoise(seed + 6, x * 0.025f, y * 0.025f, 3);
      Colour c = Mix(sand, grass, std::clamp((patch - 0.35f) * 2.2f, 0.0f, 1.0f));
      if (heat > 0.7f) c = Mix(c, {150, 240, 40}, std::min(1.0f, (heat - 0.7f) * 5.0f) * glow);
      c = Scale(c, 0.92f + LatticeValue(seed + 7, x, y) * 0.12f);
      canvas.Blend(x, y, c, cover);
    }
  }
}

}  // namespace art
