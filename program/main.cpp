// The program entry, the one place that knows every part of the game: it
// connects the game's sound and screens to the shell and starts the game.
#include "screens/mode_table.h"
#include "shell/game_sound.h"
#include "shell/startup.h"
#include "sound/sound.h"

namespace {

// The shell's sound calls, played by sound/.
class SoundSide final : public GameSound {
 public:
  void InitSound() override { ::InitSound(); }
  void PlaySoundEvent(int event) override { ::PlaySoundEvent(event); }
  void StartMusic() override { ::StartMusic(); }
  void StopMusic() override { ::StopMusic(); }
  void ShutdownSound() override { ::ShutdownSound(); }
};

SoundSide g_soundSide;

}  // namespace

int main(int argc, char** argv) {
  // "-reg" and "-unreg": the program-group installer (install/) is called
  // here, first of all; it ends the process when one of them is given.
  GameSoundOutput = &g_soundSide;
  return RunGame(argc, argv, ScreenModeTable());
}
