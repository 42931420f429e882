#include "tools/art/windowed_screens.h"

#include "tools/art/shapes.h"
#include "tools/art/widgets.h"

namespace art {

namespace {

struct Window {
  std::string folder;
  int width, height;
  int left, top;  // where the game places it on the screen
};

Window Place(Studio& studio, const std::string& folder, int extraLeft = 0, int extraUp = 0) {
  auto [width, height] = studio.WindowSize(folder);
  int left = (800 - width) / 2 - extraLeft;
  int top = std::max(0, (600 - height) / 2 - 50) - extraUp;
  return {folder, width, height, left, top};
}

// A recessed text area given in screen coordinates.
void TextInset(Canvas& window, const Window& place, const Rect& screen) {
  DisplayWell(window, {screen.x - place.left, screen.y - place.top, screen.width, screen.height},
              {22, 28, 30});
}

TextStyle CaptionStyle() {
  TextStyle style;
  style.size = 17;
  style.fill = palette::kSand;
  style.shadow = 1;
  style.shadowOpacity = 0.9f;
  return style;
}

void PaintMessage(Studio& studio) {
  // The message box sits 40 pixels left and 15 up of the usual place; its
  // lines are centred on x 361 at y 205, or 188 and 220.
  Window place = Place(studio, "Message", 40, 15);
  Canvas window = WindowFrame(studio.faces(), place.width, place.height, "MESSAGE", 3001);
  TextInset(window, place, {place.left + 16, 178, place.width - 32, 72});
  AddButtonPictures(studio, "Message", studio.Buttons("Message"), &window, 3002);
  studio.Add("Message", "Image", FileKind::kJpeg, window);
}

void PaintOptions(Studio& studio) {
  Window place = Place(studio, "Options");
  Canvas window = WindowFrame(studio.faces(), place.width, place.height, "OPTIONS", 3101);
  std::vector<ButtonSpec> buttons = studio.Buttons("Options");
  const char* captions[] = {"Sound effects", "Music", "Radiated areas"};
  for (int row = 0; row < 3; ++row) {
    const Rect& slot = buttons[static_cast<size_t>(row) * 2].rect;
    DisplayWell(window, {14, slot.y - 4, place.width - 28, slot.height + 8}, {30, 36, 36});
    TextStyle caption = CaptionStyle();
    studio.faces().title->Draw(window, captions[row], 26,
                               slot.y + (slot.height - studio.faces().title->LineHeight(caption)) / 2,
                               caption);
  }
  // The buttons of a pair share one place; the game draws the enabled one
  // from its default picture.
  AddButtonPictures(studio, "Options", buttons, nullptr, 3102);
  studio.Add("Options", "Image", FileKind::kJpeg, window);
}

void PaintNewRecord(Studio& studio) {
  // Texts at y 202 and 228 centred on x 401, the label at (233, 265) and
  // the name box at (410, 262), 170 x 29.
  Window place = Place(studio, "NewRecord");
  Canvas window = WindowFrame(studio.faces(), place.width, place.height, "NEW RECORD!", 3201);
  TextInset(window, place, {place.left + 14, 194, place.width - 28, 106});
  Mask star = TrefoilMask(place.width, place.height, 26, 60, 12);
  window.Paint(star, 0, 0, palette::kHazardYellow);
  window.Paint(star, place.width - 52, 0, palette::kHazardYellow);
  AddButtonPictures(studio, "NewRecord", studio.Buttons("NewRecord"), &window, 3202);
  studio.Add("NewRecord", "Image", FileKind::kJpeg, window);
}

void PaintFinish(Studio& studio) {
  // Texts at y 213 and 248 centred on x 401.
  Window place = Place(studio, "Finish");
  Canvas window = WindowFrame(studio.faces(), place.width, place.height, "MAP EXPLORED", 3301);
  TextInset(window, place, {place.left + 14, 202, place.width - 28, 74});
  AddButtonPictures(studio, "Finish", studio.Buttons("Finish"), &window, 3302);
  studio.Add("Finish", "Image", FileKind::kJpeg, window);
}

void PaintFail(Studio& studio) {
  Window place = Place(studio, "Fail");
  Canvas window = WindowFrame(studio.faces(), place.width, place.height, "MAP LOST", 3401);
  Rect inset{14, 44, place.width - 28, 132};
  DisplayWell(window, inset, {40, 20, 16});
  Mask trefoil = TrefoilMask(place.width, place.height, 70, 110, 42);
  window.Paint(trefoil.Dilated(2).Blurred(8), 0, 0, palette::kGlow, 0.8f);
  window.Paint(trefoil.Dilated(2), 0, 0, palette::kHazardDark);
  window.Paint(trefoil, 0, 0, palette::kHazardYellow);
  TextStyle loud;
  loud.size = 28;
  loud.tracking = 1;
  loud.fill = {255, 90, 60};
  loud.fillBottom = {200, 30, 20};
  loud.outline = 2;
  loud.outlineColour = {30, 6, 4};
  studio.faces().title->Draw(window, "YOU HAVE FAILED!", 266, 62, loud, Align::kCentre);
  TextStyle line = CaptionStyle();
  line.size = 16;
  studio.faces().body->Draw(window, "You stepped on a radiated area.", 270, 110, line,
                            Align::kCentre);
  studio.faces().body->Draw(window, "This map is lost.", 270, 134, line, Align::kCentre);
  AddButtonPictures(studio, "Fail", studio.Buttons("Fail"), &window, 3402);
  studio.Add("Fail", "Image", FileKind::kJpeg, window);
}

}  // namespace

void PaintWindowedScreens(Studio& studio) {
  PaintMessage(studio);
  PaintOptions(studio);
  PaintNewRecord(studio);
  PaintFinish(studio);
  PaintFail(studio);
}

}  // namespace art
