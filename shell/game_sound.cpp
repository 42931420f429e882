#include "shell/game_sound.h"

namespace {

class NoSound final : public GameSound {
 public:
  void InitSound() override {}
  void PlaySoundEvent(int) override {}
  void StartMusic() override {}
  void StopMusic() override {}
  void ShutdownSound() override {}
};

NoSound g_noSound;

}  // namespace

GameSound* GameSoundOutput = nullptr;

GameSound& Sound() { return GameSoundOutput != nullptr ? *GameSoundOutput : g_noSound; }
