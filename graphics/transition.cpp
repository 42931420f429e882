#include "graphics/transition.h"

#include "graphics/display.h"
#include "graphics/transitionmaps.h"
#include "graphics/transitioneffects.h"
#include "platform/clock.h"
#include "shell/mode.h"

int16_t EdgeColour = -1;
uint16_t EdgeWidth = 16;

namespace {

ScreenArea AreaOf(const tmode* mode) {
  if (mode == nullptr) return ScreenArea{};
  return ScreenArea{mode->X, mode->Y, mode->Width, mode->Height};
}

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

void PlayTransition(int effect, int duration) {
  InitTransitionMaps();
  EraseCursor(*OldScreenBuffer);
  switch (effect) {
    case 1: DissolveWith(NoiseMap, duration); break;
    case 4:
      MakeGridPattern(WorkMap);
      RunDissolve(duration);
      break;
    case 5: RunWindowDropIn(duration, AreaOf(CurrentMode())); break;
    case 6: RunWindowSlideOut(duration, AreaOf(PreviousMode)); break;
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

void ChooseTransition(const tmode* previous, const tmode* current) {
  std::string_view oldName = previous != nullptr ? std::string_view(previous->ModeName) : std::string_view();
  std::string_view newName = current != nullptr ? std::string_view(current->ModeName) : std::string_view();
  TransitionChoice choice = ChooseTransitionRule(oldName, newName, previous != nullptr ? previous->X : 0,
                                                 current != nullptr ? current->X : 0);
  if (choice.effect == 0) {
    ShowAtOnce();
    return;
  }
  if (choice.pauseFirst) platform::Sleep(500);
  PlayTransition(choice.effect, choice.duration);
}
