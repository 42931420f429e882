#include "graphics/transition.h"

#include "graphics/cursor.h"
#include "graphics/display.h"
#include "graphics/dissolve.h"
#include "graphics/slides.h"
#include "graphics/transitionmaps.h"
#include "platform/clock.h"

int16_t EdgeColour = -1;
uint16_t EdgeWidth = 16;

namespace {

void ShowAtOnce() {
  EraseCursor(*PrimarySurface);
  CopySurface(*PrimarySurface, 0, 0, *NewScreenBuffer, kCopyWait);
  DrawCursor(*PrimarySurface);
  PresentScreen();
}

void DissolveWith(const uint8_t* map, int duration) {
  std::copy(map, map + kMapSize, WorkMap);
  RunDissolve(duration);
}

}  // namespace

int64_t TransitionProgress(uint32_t start, int duration, int scale) {
  if (duration <= 0) return scale;
  uint32_t elapsed = platform::GetTickCount() - start;
  return static_cast<int64_t>(elapsed) * scale / duration;
}

void PlayTransition(int effect, int duration, const ScreenArea& newArea, const ScreenArea& oldArea) {
  InitTransitionMaps();
  EraseCursor(*OldScreenBuffer);
  switch (effect) {
    case 1: DissolveWith(NoiseMap, duration); break;
    case 4:
      MakeGridPattern(WorkMap);
      RunDissolve(duration);
      break;
    case 5: RunWindowDropIn(duration, newArea); break;
    case 6: RunWindowSlideOut(duration, oldArea); break;
    case 7: RunCombSlide(duration); break;
    case 8: DissolveWith(CrossMap, duration); break;
    case 9: DissolveWith(SweepNoiseMap, duration); break;
    default: break;
  }
  DrawCursor(*PrimarySurface);
  PresentScreen();
}

TransitionChoice ChooseTransitionRule(std::string_view oldName, std::string_view newName, int oldX, int newX) {
  if (newName == "Init") return {7, 500, true};
  if (newName == "Scores") return oldName == "Main" ? TransitionChoice{4, 700} : TransitionChoice{8, 500};
  if (newName == "Help") return {4, 700};
  if (newName == "Message" && oldName == "Message") {
    if (newX > 0) return {5, 250};
    if (oldX > 0) return {6, 300};
  }
  if (newName == "Message" || oldName == "Message") return {1, 350};
  if (newName != "Main") return {0, 0};
  if (oldName == "Init") return {9, 500};
  return {1, 500};
}

void ChooseTransition(const TransitionScreen& previous, const TransitionScreen& current) {
  TransitionChoice choice = ChooseTransitionRule(previous.name, current.name, previous.area.x, current.area.x);
  if (choice.effect == 0) {
    ShowAtOnce();
    return;
  }
  if (choice.pauseFirst) platform::Sleep(500);
  PlayTransition(choice.effect, choice.duration, current.area, previous.area);
}
