#include "screens/main_mode.h"

#include <string>

#include "game/clock.h"
#include "game/island.h"
#include "game/rules.h"
#include "game/view.h"
#include "graphics/image.h"
#include "platform/clock.h"
#include "screens/main_counters.h"
#include "screens/main_events.h"
#include "screens/main_game_screen.h"
#include "screens/main_hover.h"
#include "shell/mainloop.h"
#include "shell/mode_stack.h"

uint32_t OptionsHelpPauseTick = 0;
uint32_t ScoresPauseTick = 0;

tMainMode MainMode;

void ResumeGameClock(uint32_t pauseTick) {
  if (StartTick == 0 || EndTick != 0) return;
  uint32_t paused = platform::GetTickCount() - pauseTick;
  StartTick = static_cast<int32_t>(static_cast<uint32_t>(StartTick) + paused);
}

namespace {

constexpr int kRightButton = 2;

// A picture of the screen's folder drawn with black transparent.
SurfaceRef LoadKeyedImage(const std::string& name) {
  SurfaceRef image = LoadImage(name);
  image->SetColorKey(0, 0);
  return image;
}

}  // namespace

// ---- loading and drawing ---------------------------------------------------------

void tMainMode::Load() {
  ModeName = "Main";
  tmode::Load();
  art.cursed = LoadImage(ModeName + "\\Cursed");
  art.normal = LoadImage(ModeName + "\\Normal");
  art.fog = LoadImage(ModeName + "\\Fog");
  art.sign = LoadKeyedImage(ModeName + "\\Sign");
  for (int digit = 0; digit <= 8; ++digit) {
    std::string name = ModeName + "\\Digit" + std::to_string(digit);
    // The digits the original islands can show are 0 to 6; 7 and 8, which
    // the regular grids allow, are drawn when the folder has them.
    art.digits[digit] = digit <= 6 || ImageExists(name) ? LoadKeyedImage(name) : nullptr;
  }
  workSurface = CreateOffscreen(kScreenWidth, kScreenHeight);
  if (backgroundImage != nullptr) CopySurface(*workSurface, 0, 0, *backgroundImage, kCopyWait);
  art.borderColour = PackColour(0, 0, 64);
  art.hatchColour = PackColour(184, 208, 104);
  statusLine.Clear();
  ConnectMainScreenToGame();
}

void tMainMode::RenderIsland() {
  if (workSurface != nullptr && backgroundImage != nullptr) {
    RenderIslandPicture(*workSurface, *backgroundImage, art);
  }
}

void tMainMode::RepaintCell(int cell) {
  if (workSurface != nullptr) RepaintIslandCell(*workSurface, art, Island, cell);
}

void tMainMode::DrawBackground() {
  highlightDrawn = highlight;
  if (!Island.prepared || workSurface == nullptr) {
    tmode::DrawBackground();
    return;
  }
  CopySurface(*BackgroundBuffer, 0, 0, *workSurface, kCopyWait);
  DrawHoverHatch(*BackgroundBuffer, art, Island);
  DarkenCells(*BackgroundBuffer, highlight);
  DrawMarks(*BackgroundBuffer, art, Island);
}

void tMainMode::Draw() {
  tmode::Draw();
  statusLine.Draw(*BackBuffer, StatusText);
  DrawCounters(*BackBuffer);
}

void tMainMode::Redraw(bool full) {
  if (StatusText != kExploredAreaText) ClearHighlight();
  if (!full && highlight != highlightDrawn) full = true;
  // After the end of a map its result stays on the status line, except
  // while a button explains itself there.
  if (mapLoaded && GameRunning && !Island.active && hotButton == 0) StatusText = ResultText;
  tmode::Redraw(full);
}

void tMainMode::Idle() {
  if (!mapLoaded) {
    ButtonPressed(kMainEventNewMap);
    return;
  }
  int32_t seconds = ElapsedSeconds();
  if (seconds == secondsShown) return;
  secondsShown = seconds;
  Redraw(false);
}

// ---- input ------------------------------------------------------------------------

void tMainMode::ClearHighlight() {
  highlightCell = 0;
  highlight.clear();
}

void tMainMode::MouseMove(int x, int y) {
  tmode::MouseMove(x, y);
  if (hotButton != 0) {
    StatusText = ButtonHelpText(hotButton);
    if (Island.hoverCode != kHoverNothing) {
      SetHoverCell(Island, 0);
      DrawBackground();
    }
    Redraw(false);
  } else if (Island.prepared && !InMenuColumn(*this, x, y)) {
    HoverOverMap(x, y);
  } else if (!StatusText.empty()) {
    StatusText.clear();
    Redraw(false);
  } else if (highlight != highlightDrawn) {
    Redraw(false);
  }
}

void tMainMode::HoverOverMap(int x, int y) {
  uint8_t previousCode = Island.hoverCode;
  int previousHighlightCell = highlightCell;
  std::string text;
  ViewPixel pixel;
  if (ViewPixelAtScreen(x, y, pixel)) {
    int cell = ViewCellGrid[pixel.row - 1][pixel.column - 1];
    SetHoverCell(Island, cell);
    text = IslandAreaText(Island);
    bool explored = Island.hoverCode == kHoverNothing && Island.HasCell(cell) && !Island.Cell(cell).isSea;
    if (explored && RightButtonHeld && Island.active && cell != highlightCell) {
      highlightCell = cell;
      highlight = NeighbourHighlight(Island, cell);
    }
  } else {
    SetHoverCell(Island, 0);
    text = PanelText(x, y);
  }
  if (Island.hoverCode == previousCode && text == StatusText && highlightCell == previousHighlightCell) return;
  StatusText = text;
  Redraw(true);
}

void tMainMode::MouseDown(int button, int x, int y) {
  tmode::MouseDown(button, x, y);
  if (CurrentMode() != this || !Island.active) return;
  int code = Island.hoverCode;
  if (code >= 1 && code <= 199 && Island.HasCell(code) && Island.Cell(code).isLand) {
    if (button == kRightButton) {
      ToggleMark(Island, code);
      return;
    }
    OpenCell(Island, code);
    StatusText = Island.Cell(code).isRadiated ? RadiatedAreaText() : kExploredAreaText;
    // The status line says at once what the click found.
    if (CurrentMode() == this) Redraw(false);
    return;
  }
  ViewPixel pixel;
  if (code != kHoverNothing || !ViewPixelAtScreen(x, y, pixel)) return;
  if (button == kRightButton) {
    MouseMove(x, y);
    return;
  }
  int cell = ViewCellGrid[pixel.row - 1][pixel.column - 1];
  if (cell >= 1 && cell <= Island.cellCount) OpenByCount(Island, cell);
}

void tMainMode::MouseUp(int button, int x, int y) {
  tmode::MouseUp(button, x, y);
  if (button != kRightButton) return;
  ClearHighlight();
  Redraw(true);
}

void tMainMode::KeyDown(int key) {
  tmode::KeyDown(key);
  if (key == platform::VK_F11) {
    ShowIslandNumber();
  } else if (key == platform::VK_F12 && mapLoaded) {
    OpenHintCell();
  }
}

void tMainMode::ButtonPressed(int index) { RunMainEvent(index); }
