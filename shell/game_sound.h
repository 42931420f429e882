// The game's sound as the shell reaches it: the sound events the shell raises
// itself (a button press, the end of the splash, the quit), starting and
// stopping the music, and starting and shutting down the sound side. The
// program entry connects it to sound/ by setting GameSoundOutput; without
// one the shell is silent.
#pragma once

// Sound events raised by the shell.
constexpr int kSoundButtonPressed = 10;
constexpr int kSoundSplashDone = 20;
constexpr int kSoundQuit = 21;

class GameSound {
 public:
  virtual ~GameSound() = default;

  virtual void InitSound() = 0;
  virtual void PlaySoundEvent(int event) = 0;
  virtual void StartMusic() = 0;
  virtual void StopMusic() = 0;
  virtual void ShutdownSound() = 0;
};

extern GameSound* GameSoundOutput;

// GameSoundOutput, or a sound side that plays nothing.
GameSound& Sound();
