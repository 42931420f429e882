// The sound thread: every tick it moves the two master volumes of the mixer
// one step towards their targets and counts down a running duck (a while in
// which the music plays lower under a big effect), after which both targets
// go back to normal.
#pragma once

#include <atomic>
#include <cstdint>
#include <thread>

class SoundMixer;
class SoundHost;

// Master volumes (0-255) and the thread's period.
constexpr int32_t kStartVolume = 128;      // the mixer's own default
constexpr int32_t kNormalFxTarget = 250;
constexpr int32_t kNormalMusicTarget = 100;
constexpr int32_t kFxVolumeStep = 1;
constexpr int32_t kMusicVolumeStep = 3;
constexpr int32_t kMusicSettleDistance = 2;  // closer than this the music stays
constexpr int32_t kSoundTickMilliseconds = 30;

// The words the main thread and the sound thread share. The main thread
// sets them all before the thread starts; afterwards it only starts ducks
// (duck time and music target).
struct SoundLevels {
  std::atomic<int32_t> fxVolume{kStartVolume};     // last sent to the mixer
  std::atomic<int32_t> fxTarget{kNormalFxTarget};
  std::atomic<int32_t> musicVolume{kStartVolume};  // last sent to the mixer
  std::atomic<int32_t> musicTarget{kNormalMusicTarget};
  std::atomic<int32_t> duckTime{0};  // milliseconds left; 0 or less: no duck
  std::atomic<int32_t> tick{kSoundTickMilliseconds};

  void Reset();  // the start values
};

// One pass of the thread's loop, without its wait.
void RunSoundTick(SoundLevels& levels, SoundMixer& mixer);

// Runs the loop from construction until Stop, waiting a tick through the
// sound host between passes.
class SoundThread {
 public:
  SoundThread(SoundLevels& levels, SoundMixer& mixer, SoundHost& host);
  ~SoundThread();
  SoundThread(const SoundThread&) = delete;
  SoundThread& operator=(const SoundThread&) = delete;

  // Asks the loop to end and waits until the thread has ended, so that it
  // makes no mixer call afterwards.
  void Stop();
  bool Running() const { return thread_.joinable(); }

 private:
  void Loop();

  SoundLevels& levels_;
  SoundMixer& mixer_;
  SoundHost& host_;
  std::atomic<bool> stopRequested_{false};
  std::thread thread_;
};
