// The splash screen, tInitMode: the first mode. Its Enter loads the whole
// game (sound and music, the options, every screen of GameScreenModes) while
// the loading picture shows; then a blinking prompt waits for any key or
// mouse release, which switches to the main screen.
#pragma once

#include <cstdint>

#include "shell/mode.h"

// How long each prompt picture shows, and how long after DisplayStartTime
// the splash still preloads screens before it shows itself.
constexpr uint32_t kPromptBlinkMilliseconds = 750;
constexpr uint32_t kPreloadWindowMilliseconds = 700;

class tInitMode final : public tmode {
 public:
  void MouseUp(int button, int x, int y) override;
  void KeyDown(int key) override;
  void Idle() override;
  void Enter() override;
  void Draw() override;
  void Load() override;

  SurfaceRef loadingImage;
  SurfaceRef firstPromptImage;
  SurfaceRef secondPromptImage;
  uint32_t blinkStart = 0;
  bool firstPhase = false;

 private:
  // The picture Draw shows now: loading until start-up is complete, then
  // the prompt of the blink phase.
  const SurfaceRef& CurrentPicture() const;
  void LeaveForMainScreen();

  // The picture last drawn: an idle pass redraws only when it changes, so
  // that the waiting prompt leaves the processor idle between blinks.
  const Surface* drawnPicture = nullptr;
};

extern tInitMode InitMode;
