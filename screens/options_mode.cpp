#include "screens/options_mode.h"

#include <cstdint>

#include "game/options_file.h"
#include "screens/main_mode.h"
#include "shell/game_sound.h"
#include "shell/mode_stack.h"

TOptMode OptionsScreen;

namespace {

constexpr int kOkButton = 7;

// A switch's pair of buttons: the first turns it off, the second on.
struct SwitchPair {
  int offButton;
  uint8_t TGameOptions::*option;
};

constexpr SwitchPair kSwitches[] = {
    {1, &TGameOptions::soundOn},
    {3, &TGameOptions::musicOn},
    {5, &TGameOptions::radiationFatal},
};

// Shows the button of the pair that selects the value not in force.
void ShowOtherValue(tmode& screen, const SwitchPair& pair) {
  const bool on = GameOptions.*pair.option != 0;
  screen.buttons[pair.offButton].enabled = on;
  screen.buttons[pair.offButton + 1].enabled = !on;
}

}  // namespace

void TOptMode::Load() {
  ModeName = "Options";
  tWindowedMode::Load();
  for (const SwitchPair& pair : kSwitches) ShowOtherValue(*this, pair);
}

void TOptMode::ButtonPressed(int index) {
  if (index == kOkButton) {
    SaveOptions();
    ResumeGameClock(OptionsHelpPauseTick);
    SwitchMode(&MainMode);
    return;
  }
  for (const SwitchPair& pair : kSwitches) {
    if (index != pair.offButton && index != pair.offButton + 1) continue;
    GameOptions.*pair.option = index == pair.offButton ? 0 : 1;
    ShowOtherValue(*this, pair);
    if (pair.option == &TGameOptions::musicOn) {
      if (GameOptions.musicOn != 0) {
        Sound().StartMusic();
      } else {
        Sound().StopMusic();
      }
    }
    Redraw(true);
  }
}
