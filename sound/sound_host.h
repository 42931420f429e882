// What the sound side needs from the system: entering the program directory,
// where the music and the sound bank lie, and the sound thread's wait
// between two of its ticks. The game's host is the platform and the system
// clock; tests put a host of their own in its place (staying in their own
// folder, and stepping the sound thread tick by tick).
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>

class SoundHost {
 public:
  virtual ~SoundHost() = default;

  // False when the directory cannot be determined or entered.
  virtual bool EnterProgramDirectory() = 0;
  // Waits the milliseconds, or less once `stop` is set and Wake is called.
  virtual void Sleep(uint32_t milliseconds, const std::atomic<bool>& stop) = 0;
  // Ends at once a Sleep whose stop flag has just been set.
  virtual void Wake() = 0;
};

// The program's directory from the platform, and waits on the system clock
// that a stop request cuts short.
class SystemSoundHost : public SoundHost {
 public:
  bool EnterProgramDirectory() override;
  void Sleep(uint32_t milliseconds, const std::atomic<bool>& stop) override;
  void Wake() override;

 private:
  std::mutex mutex_;
  std::condition_variable woken_;
};

// The host the sound side uses: the one a test set, else the system.
SoundHost& Host();
// Set while no sound thread runs; nullptr gives the system back.
void SetSoundHost(SoundHost* host);
