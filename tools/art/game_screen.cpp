#include "tools/art/game_screen.h"

#include <string>

#include "tools/art/shapes.h"
#include "tools/art/terrain.h"
#include "tools/art/widgets.h"

namespace art {

namespace {

constexpr int kPanelLeft = 640;
constexpr int kStatusTop = 550;
constexpr int kTextureSize = 512;
constexpr int kMarkSize = 24;

TextStyle PanelCaption(int size) {
  TextStyle style;
  style.size = size;
  style.tracking = 1;
  style.fill = palette::kSand;
  style.shadow = 1;
  style.shadowOpacity = 0.9f;
  return style;
}

// Faint survey lines over the sea, as on a chart.
void PaintChartLines(Canvas& image, const Rect& sea) {
  for (int y = sea.y; y < sea.Bottom(); ++y) {
    for (int x = sea.x; x < sea.Right(); ++x) {
      bool line = (x - sea.x) % 80 == 40 || (y - sea.y) % 80 == 35;
      if (line) image.Blend(x, y, {120, 170, 190}, 0.12f);
    }
  }
}

void PaintSidePanel(Canvas& image, const Faces& faces) {
  const Rect panel{kPanelLeft, 0, 800 - kPanelLeft, kStatusTop};
  MetalPlate(image, panel, 2001);
  Bevel(image, panel, 3, true);
  RivetCorners(image, panel, 8);

  Mask trefoil = TrefoilMask(800, 60, 664, 28, 13);
  image.Paint(trefoil.Dilated(1), 0, 0, palette::kHazardDark);
  image.Paint(trefoil, 0, 0, palette::kHazardYellow);
  TextStyle title;
  title.size = 23;
  title.tracking = 1;
  title.fill = {250, 236, 180};
  title.fillBottom = {214, 160, 70};
  title.outline = 1;
  title.outlineColour = {20, 14, 4};
  faces.title->Draw(image, "TERVANE", 736, 14, title, Align::kCentre);
  HazardStripes(image, {650, 50, 140, 6}, 6);

  // The map type button sits in its own recess below the menu.
  faces.title->Draw(image, "MAP", 720, 306, PanelCaption(13), Align::kCentre);

  // The two counters: labels left, display wells where the game writes the
  // values centred on x 765, at y 429 and 463.
  const Rect box{644, 404, 153, 90};
  DisplayWell(image, box, {26, 30, 30});
  TextStyle label = PanelCaption(15);
  faces.title->Draw(image, "TIME", 654, 428, label);
  faces.title->Draw(image, "LEFT", 654, 462, label);
  Mask mini = TrefoilMask(800, 600, 712, 471, 7);
  image.Paint(mini, 0, 0, palette::kHazardYellow);
  DisplayWell(image, {737, 424, 56, 26}, {10, 26, 12});
  DisplayWell(image, {737, 458, 56, 26}, {10, 26, 12});
  HazardStripes(image, {650, 510, 140, 10}, 7);
}

void PaintStatusBar(Canvas& image) {
  const Rect bar{0, kStatusTop, 800, 600 - kStatusTop};
  MetalPlate(image, bar, 2002);
  Bevel(image, bar, 3, true);
  // The status line is drawn by the game at (140, 554), 400 x 40.
  DisplayWell(image, {134, 551, 412, 47}, {14, 22, 20});
  HazardStripes(image, {12, 562, 104, 24}, 8);
  HazardStripes(image, {562, 562, 104, 24}, 8);
  RivetCorners(image, {680, kStatusTop, 120, 600 - kStatusTop}, 10);
}

Canvas DigitPicture(const Faces& faces, int digit) {
  static const Colour kColours[9] = {
      {0, 0, 0},       {80, 170, 255}, {110, 230, 80},  {255, 80, 60},  {200, 110, 255},
      {255, 170, 40},  {60, 230, 230}, {250, 250, 250}, {190, 190, 190}};
  Canvas picture(kMarkSize, kMarkSize);
  if (digit == 0) return picture;  // an explored cell without neighbours stays plain
  TextStyle style;
  style.size = 21;
  style.fill = kColours[digit];
  style.outline = 2;
  style.outlineColour = {14, 12, 10};
  int top = (kMarkSize - faces.bold->LineHeight(style)) / 2;
  faces.bold->Draw(picture, std::to_string(digit), kMarkSize / 2, top, style, Align::kCentre);
  return picture;
}

// The mark on a suspected cell: a small red warning flag on a pole.
Canvas SignPicture() {
  Canvas picture(kMarkSize, kMarkSize);
  const int s = kMarkSize;
  Mask pole = StrokeMask(s, s, {{8, 3}, {8, 21}}, 2.4f);
  Mask base = EllipseMask(s, s, 9, 21, 6, 2.2f);
  Mask flag = PolygonMask(s, s, {{9, 3}, {21, 8}, {9, 13}});
  Mask all = Union(Union(pole, base), flag);
  picture.Paint(all.Dilated(1), 0, 0, {14, 10, 8});
  picture.Paint(pole, 0, 0, {120, 90, 60});
  picture.Paint(base, 0, 0, {90, 70, 50});
  picture.Paint(flag, 0, 0, {230, 40, 30});
  Mask stripe = PolygonMask(s, s, {{9, 7}, {17, 8}, {9, 9}});
  picture.Paint(stripe, 0, 0, palette::kHazardYellow);
  return picture;
}

}  // namespace

void PaintGameScreen(Studio& studio) {
  const Faces& faces = studio.faces();
  Canvas image(800, 600);
  PaintSea(image, {0, 0, kPanelLeft, kStatusTop}, 2000);
  PaintChartLines(image, {0, 0, kPanelLeft, kStatusTop});
  PaintSidePanel(image, faces);
  PaintStatusBar(image);
  AddButtonPictures(studio, "Main", studio.Buttons("Main"), &image, 2100);
  studio.Add("Main", "Image", FileKind::kJpeg, image);

  studio.Add("Main", "Fog", FileKind::kJpeg, FogTexture(kTextureSize, 2200));
  studio.Add("Main", "Normal", FileKind::kJpeg, LandTexture(kTextureSize, 2300));
  studio.Add("Main", "Cursed", FileKind::kJpeg, CursedTexture(kTextureSize, 2400));
  studio.Add("Main", "Sign", FileKind::kKeyedBmp, SignPicture());
  for (int digit = 0; digit <= 8; ++digit) {
    studio.Add("Main", "Digit" + std::to_string(digit), FileKind::kKeyedBmp,
               DigitPicture(faces, digit));
  }
}

}  // namespace art
