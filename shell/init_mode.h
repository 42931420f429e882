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
  void LeaveForMainScreen();
};

extern tInitMode InitMode;
