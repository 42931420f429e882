// The program entry, the one place that knows every part of the game: it
// runs the installer's start-up step, connects the game's sound and screens
// to the shell and starts the game.
#include "install/program_group.h"
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
  // First of all: seed the random generator, enter the program directory,
  // and for "-reg" or "-unreg" install or remove the program group and end.
  if (std::optional<int> status = install::RunInstallStartupStep(argc, argv)) return *status;
  GameSoundOutput = &g_soundSide;
  return RunGame(argc, argv, ScreenModeTable());
}
