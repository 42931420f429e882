#include "tools/art/splash_screen.h"

#include <cmath>

#include "tools/art/noise.h"
#include "tools/art/shapes.h"
#include "tools/art/terrain.h"
#include "tools/art/widgets.h"

namespace art {

namespace {

constexpr int kHorizon = 330;

void PaintSky(Canvas& canvas, uint32_t seed) {
  const Colour top{18, 14, 44}, middle{92, 40, 84}, low{236, 120, 58};
  for (int y = 0; y < kHorizon; ++y) {
    float t = static_cast<float>(y) / kHorizon;
    Colour base = t < 0.6f ? Mix(top, middle, t / 0.6f) : Mix(middle, low, (t - 0.6f) / 0.4f);
    for (int x = 0; x < canvas.Width(); ++x) {
      float cloud = FractalNoise(seed, x * 0.004f, y * 0.02f, 5);
      Colour c = base;
      if (cloud > 0.55f) c = Mix(c, Scale(low, 0.55f + t * 0.4f), (cloud - 0.55f) * 1.6f);
      canvas.Set(x, y, c);
    }
  }
  Mask sun = EllipseMask(canvas.Width(), kHorizon, 650, kHorizon - 12, 32, 32);
  canvas.Paint(sun.Blurred(22), 0, 0, {255, 170, 80}, 0.9f);
  canvas.Paint(sun, 0, 0, {255, 214, 140});
}

void PaintWater(Canvas& canvas, uint32_t seed) {
  for (int y = kHorizon; y < canvas.Height(); ++y) {
    float depth = static_cast<float>(y - kHorizon) / (canvas.Height() - kHorizon);
    for (int x = 0; x < canvas.Width(); ++x) {
      float waver = (FractalNoise(seed + 3, x * 0.02f, y * 0.15f, 2) - 0.5f) * 40.0f;
      Colour sky = canvas.At(x + static_cast<int>(waver), 2 * kHorizon - y - 1);
      Colour sea = Mix({24, 40, 70}, {6, 18, 36}, depth);
      float ripple = FractalNoise(seed, x * 0.01f, y * 0.25f, 3);
      Colour c = Mix(Scale(sky, 0.55f), sea, 0.45f + depth * 0.4f);
      float streak = std::exp(-std::pow((x - 650.0f) / (30.0f + depth * 90.0f), 2.0f));
      if (ripple > 0.5f) c = Mix(c, {255, 180, 100}, streak * (ripple - 0.5f) * 1.6f);
      canvas.Set(x, y, Scale(c, 0.9f + ripple * 0.2f));
    }
  }
}

void PaintIslands(Canvas& canvas, uint32_t seed) {
  struct Far {
    float cx, rx, ry;
  };
  const Far far[] = {{120, 90, 14}, {330, 60, 9}, {700, 110, 16}};
  for (const Far& island : far) {
    Mask shape = IslandMask(canvas.Width(), kHorizon + 20, island.cx, kHorizon, island.rx,
                            island.ry * 2, seed + static_cast<uint32_t>(island.cx));
    Mask upper(canvas.Width(), kHorizon + 20);
    for (int y = 0; y < kHorizon; ++y) {
      for (int x = 0; x < canvas.Width(); ++x) upper.Set(x, y, shape.At(x, y));
    }
    canvas.Paint(upper, 0, 0, {40, 30, 50});
    canvas.Paint(upper.Blurred(6), 0, -4, {150, 240, 40}, 0.12f);
  }
  Mask near = IslandMask(canvas.Width(), canvas.Height(), 170, 530, 250, 85, seed + 9);
  PaintIsland(canvas, near, seed + 11, 0.0f);
  // Dusk light on the near island, and the radiated ground glowing on it.
  canvas.Paint(near, 0, 0, {46, 24, 56}, 0.55f);
  Mask hot(canvas.Width(), canvas.Height());
  for (int y = kHorizon; y < canvas.Height(); ++y) {
    for (int x = 0; x < canvas.Width(); ++x) {
      float heat = FractalNoise(seed + 12, x * 0.03f, y * 0.05f, 3);
      if (heat > 0.66f) hot.Set(x, y, near.At(x, y) * std::min(1.0f, (heat - 0.66f) * 6.0f));
    }
  }
  canvas.Paint(hot.Blurred(5), 0, 0, palette::kGlow, 0.9f);
  canvas.Paint(hot, 0, 0, {220, 255, 150}, 0.5f);
  canvas.Shade({0, kHorizon, canvas.Width(), canvas.Height() - kHorizon}, 0.92f);
}

Canvas Prompt(const Faces& faces, const std::string& text, const TextStyle& style) {
  Canvas prompt(280, 48);
  faces.title->Draw(prompt, text, 140, (48 - faces.title->LineHeight(style)) / 2, style,
                    Align::kCentre);
  return prompt;
}

}  // namespace

void PaintDuskScene(Canvas& canvas, uint32_t seed) {
  PaintSky(canvas, seed);
  PaintWater(canvas, seed + 1);
  PaintIslands(canvas, seed + 2);
}

void PaintSplashScreen(Studio& studio) {
  const Faces& faces = studio.faces();
  Canvas image(800, 600);
  PaintDuskScene(image, 1001);

  Mask trefoil = TrefoilMask(800, 600, 400, 112, 44);
  image.Paint(trefoil.Dilated(3).Blurred(10), 0, 0, palette::kGlow, 0.6f);
  image.Paint(trefoil.Dilated(2), 0, 0, palette::kHazardDark);
  image.Paint(trefoil, 0, 0, palette::kHazardYellow);

  TextStyle title;
  title.size = 104;
  title.tracking = 8;
  title.fill = {250, 236, 180};
  title.fillBottom = {214, 160, 70};
  title.outline = 3;
  title.outlineColour = {26, 18, 22};
  title.shadow = 6;
  title.shadowOpacity = 0.6f;
  title.glow = 8;
  title.glowColour = palette::kGlow;
  title.glowOpacity = 0.45f;
  faces.title->Draw(image, "TERVANE", 400, 160, title, Align::kCentre);

  TextStyle subtitle;
  subtitle.size = 22;
  subtitle.tracking = 3;
  subtitle.fill = {236, 222, 190};
  subtitle.shadow = 2;
  subtitle.shadowOpacity = 0.8f;
  faces.body->Draw(image, "The radiated archipelago", 400, 290, subtitle, Align::kCentre);

  // A dark band behind the prompts at (260, 540).
  Mask band = RoundedRectMask(800, 600, {236, 536, 328, 56}, 14);
  image.Paint(band.Blurred(3), 0, 0, {8, 10, 14}, 0.65f);
  studio.Add("Init", "Image", FileKind::kJpeg, image);

  TextStyle loading;
  loading.size = 24;
  loading.tracking = 3;
  loading.fill = palette::kAmber;
  loading.outline = 2;
  loading.outlineColour = {30, 16, 8};
  studio.Add("Init", "loading", FileKind::kKeyedBmp, Prompt(faces, "LOADING...", loading));

  TextStyle bright;
  bright.size = 26;
  bright.tracking = 2;
  bright.fill = {236, 255, 190};
  bright.outline = 2;
  bright.outlineColour = {16, 40, 10};
  bright.glow = 4;
  bright.glowColour = palette::kGlow;
  bright.glowOpacity = 0.9f;
  studio.Add("Init", "press1", FileKind::kKeyedBmp, Prompt(faces, "PRESS ANY KEY", bright));

  TextStyle dim = bright;
  dim.fill = {80, 130, 60};
  dim.glow = 0;
  studio.Add("Init", "press2", FileKind::kKeyedBmp, Prompt(faces, "PRESS ANY KEY", dim));
}

}  // namespace art
