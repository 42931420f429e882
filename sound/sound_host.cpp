#include "sound/sound_host.h"

#include <chrono>
#include <condition_variable>
#include <mutex>

#include "platform/files.h"

namespace {

class SystemHost final : public SoundHost {
 public:
  bool EnterProgramDirectory() override { return platform::ChangeToProgramDirectory(); }

  void Sleep(uint32_t milliseconds, const std::atomic<bool>& stop) override {
    std::unique_lock<std::mutex> lock(mutex_);
    woken_.wait_for(lock, std::chrono::milliseconds(milliseconds), [&] { return stop.load(); });
  }

  void Wake() override {
    // Taking the lock orders the stop flag before a waiter's next look at it.
    { std::lock_guard<std::mutex> lock(mutex_); }
    woken_.notify_all();
  }

 private:
  std::mutex mutex_;
  std::condition_variable woken_;
};

SystemHost g_system;
SoundHost* g_host = &g_system;

}  // namespace

SoundHost& Host() { return *g_host; }

void SetSoundHost(SoundHost* host) { g_host = host != nullptr ? host : &g_system; }
