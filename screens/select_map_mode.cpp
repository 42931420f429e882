#include "screens/select_map_mode.h"

#include <algorithm>

#include "game/island.h"
#include "game/options_file.h"
#include "graphics/image.h"
#include "screens/main_mode.h"
#include "shell/mode_stack.h"

TSelMapMode MapSelectionScreen;

namespace {

constexpr int kCloseEvent = 5;
constexpr int kMapTypes = 4;

}  // namespace

void TSelMapMode::Load() {
  ModeName = "SelectMap";
  tWindowedMode::Load();
  marker = LoadImage(ModeName + "\\mask");
  marker->SetColorKey(0, 0);
}

void TSelMapMode::DrawButtonFace(const SurfaceRef& image, Surface& target, int index) {
  tmode::DrawButtonFace(image, target, index);
  const int chosen = GameOptions.mapType;
  if (marker == nullptr || chosen < 1 || chosen > std::min(buttonCount, kMaxButtons)) return;
  CopySurface(target, X + buttons[chosen].X, Y + buttons[chosen].Y, *marker, kCopyKeyed);
}

void TSelMapMode::ButtonPressed(int index) {
  if (index >= 1 && index <= kMapTypes) {
    GameOptions.mapType = static_cast<uint8_t>(index);
    Redraw(true);
    SaveOptions();
  } else if (index == kCloseEvent) {
    SwitchMode(&MainMode);
    if (CurrentMapType != GameOptions.mapType) MainMode.ButtonPressed(kMainEventNewMap);
  }
}
