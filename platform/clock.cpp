#include "platform/clock.h"

#include <chrono>
#include <thread>

namespace platform {
namespace {

TickSource g_tickSource = nullptr;

uint32_t SystemTicks() {
  using namespace std::chrono;
  auto since = steady_clock::now().time_since_epoch();
  return static_cast<uint32_t>(duration_cast<milliseconds>(since).count());
}

}  // namespace

uint32_t GetTickCount() { return g_tickSource != nullptr ? g_tickSource() : SystemTicks(); }

void Sleep(uint32_t milliseconds) {
  if (milliseconds == 0) {
    std::this_thread::yield();
  } else {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
  }
}

void SetTickSource(TickSource source) { g_tickSource = source; }

}  // namespace platform
