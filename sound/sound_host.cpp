#include "sound/sound_host.h"

#include <chrono>

#include "platform/files.h"

bool SystemSoundHost::EnterProgramDirectory() { return platform::ChangeToProgramDirectory(); }

void SystemSoundHost::Sleep(uint32_t milliseconds, const std::atomic<bool>& stop) {
  std::unique_lock<std::mutex> lock(mutex_);
  woken_.wait_for(lock, std::chrono::milliseconds(milliseconds), [&] { return stop.load(); });
}

void SystemSoundHost::Wake() {
  // Taking the lock orders the stop flag before a waiter's next look at it.
  { std::lock_guard<std::mutex> lock(mutex_); }
  woken_.notify_all();
}

namespace {

SystemSoundHost g_system;
SoundHost* g_host = &g_system;

}  // namespace

SoundHost& Host() { return *g_host; }

void SetSoundHost(SoundHost* host) { g_host = host != nullptr ? host : &g_system; }
