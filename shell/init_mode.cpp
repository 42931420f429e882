#include "shell/init_mode.h"

#include "game/options_file.h"
#include "graphics/cursor.h"
#include "graphics/image.h"
#include "platform/clock.h"
#include "shell/game_sound.h"
#include "shell/mainloop.h"
#include "shell/mode_stack.h"
#include "shell/screen_modes.h"

tInitMode InitMode;

namespace {

// Where the loading and prompt pictures show.
constexpr int kPictureX = 260;
constexpr int kPictureY = 540;
// Where the pointer appears once it is drawn.
constexpr int kPointerStartX = 400;
constexpr int kPointerStartY = 308;
constexpr int kArrowPointer = 1;

SurfaceRef LoadKeyedPicture(const std::string& name) {
  SurfaceRef picture = LoadImage(name);
  picture->SetColorKey(0, 0);
  return picture;
}

bool InsidePreloadWindow() { return platform::GetTickCount() - DisplayStartTime < kPreloadWindowMilliseconds; }

}  // namespace

void tInitMode::LeaveForMainScreen() {
  if (GameScreenModes.main != nullptr) SwitchMode(GameScreenModes.main);
}

void tInitMode::MouseUp(int, int, int) { LeaveForMainScreen(); }

void tInitMode::KeyDown(int) { LeaveForMainScreen(); }

void tInitMode::Idle() {
  firstPhase = (platform::GetTickCount() - blinkStart) / kPromptBlinkMilliseconds % 2 == 1;
  if (CurrentPicture().get() != drawnPicture) Redraw(false);
}

const SurfaceRef& tInitMode::CurrentPicture() const {
  if (!StartupComplete) return loadingImage;
  return firstPhase ? firstPromptImage : secondPromptImage;
}

void tInitMode::Draw() {
  tmode::Draw();
  const SurfaceRef& picture = CurrentPicture();
  if (picture != nullptr) CopySurface(*BackBuffer, kPictureX, kPictureY, *picture, kCopyKeyed);
  drawnPicture = picture.get();
}

void tInitMode::Load() {
  ModeName = "Init";
  tmode::Load();
  loadingImage = LoadKeyedPicture(ModeName + "\\loading");
  firstPromptImage = LoadKeyedPicture(ModeName + "\\press1");
  secondPromptImage = LoadKeyedPicture(ModeName + "\\press2");
}

void tInitMode::Enter() {
  SetCursorPosition(kPointerStartX, kPointerStartY);
  PreviousMode = this;
  Sound().InitSound();
  LoadOptions();
  Load();
  for (tmode* mode : ModesInPreloadOrder(GameScreenModes)) {
    if (!InsidePreloadWindow()) break;
    if (!mode->loaded) mode->Load();
  }
  tmode::Enter();

  blinkStart = platform::GetTickCount();
  Sound().PlaySoundEvent(kSoundSplashDone);
  Sound().StartMusic();
  for (tmode* mode : ModesInLoadOrder(GameScreenModes)) {
    if (!mode->loaded) mode->Load();
  }

  blinkStart = platform::GetTickCount();
  // Input made while the game loaded, whether still waiting as window
  // messages or already queued, is dropped: nothing typed meanwhile skips
  // the prompt.
  MainLoopStep();
  ClearInputQueue();
  SelectCursor(kArrowPointer);
  CursorVisible = true;
}
