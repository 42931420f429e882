#include "tools/art/scores_screen.h"

#include "tools/art/noise.h"
#include "tools/art/shapes.h"
#include "tools/art/splash_screen.h"
#include "tools/art/widgets.h"

namespace art {

namespace {

const Rect kLog{228, 122, 344, 370};

void PaintLog(Canvas& image) {
  Mask sheet = RoundedRectMask(800, 600, kLog, 6);
  image.Paint(sheet.Dilated(4).Blurred(6), 6, 8, {0, 0, 0}, 0.7f);
  for (int y = kLog.y; y < kLog.Bottom(); ++y) {
    for (int x = kLog.x; x < kLog.Right(); ++x) {
      float cover = sheet.At(x, y);
      if (cover <= 0) continue;
      float stain = FractalNoise(5001, x * 0.02f, y * 0.02f, 4);
      float fibre = LatticeValue(5002, x, y);
      Colour paper = Mix({238, 228, 190}, {206, 190, 142}, stain * 0.8f);
      image.Blend(x, y, Scale(paper, 0.96f + fibre * 0.06f), cover);
    }
  }
  // Ruled lines between the rows, and a margin line before the names.
  for (int row = 0; row <= 10; ++row) {
    int y = 176 + 30 * row;
    for (int x = kLog.x + 12; x < kLog.Right() - 12; ++x) image.Blend(x, y, {120, 150, 190}, 0.5f);
  }
  for (int y = kLog.y + 8; y < kLog.Bottom() - 8; ++y) {
    image.Blend(268, y, {210, 80, 70}, 0.55f);
    image.Blend(452, y, {120, 150, 190}, 0.35f);
  }
}

}  // namespace

void PaintScoresScreen(Studio& studio) {
  const Faces& faces = studio.faces();
  Canvas image(800, 600);
  PaintDuskScene(image, 5000);
  image.Shade({0, 0, 800, 600}, 0.55f);
  // A dark band under the map name the game writes at the top.
  Mask band = RoundedRectMask(800, 600, {150, 14, 500, 42}, 12);
  image.Paint(band.Blurred(2), 0, 0, {10, 10, 16}, 0.75f);

  TextStyle heading;
  heading.size = 40;
  heading.tracking = 4;
  heading.fill = {250, 236, 180};
  heading.fillBottom = {214, 160, 70};
  heading.outline = 2;
  heading.outlineColour = {26, 18, 22};
  heading.glow = 5;
  heading.glowColour = palette::kGlow;
  heading.glowOpacity = 0.4f;
  faces.title->Draw(image, "BEST SCORES", 400, 64, heading, Align::kCentre);

  PaintLog(image);
  Mask trefoil = TrefoilMask(800, 600, 250, 140, 12);
  image.Paint(trefoil, 0, 0, {170, 60, 40});
  HazardStripes(image, {0, 494, 800, 8}, 10);
  MetalPlate(image, {0, 502, 800, 98}, 5003);
  Bevel(image, {0, 502, 800, 98}, 3, true);
  AddButtonPictures(studio, "Scores", studio.Buttons("Scores"), &image, 5100);
  studio.Add("Scores", "Image", FileKind::kJpeg, image);
}

}  // namespace art
