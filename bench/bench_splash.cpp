// The splash's loading, over the build's program directory on SDL's dummy
// drivers: the time from DisplayStartTime to the end of the splash's Enter,
// with every screen of the mode table loaded anew in each iteration. The
// counters tell how many screens were preloaded inside the 700 ms window and
// how the time divides around the loading picture's arrival (which includes
// the opening transition's 500 ms pause and 500 ms slide).
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>

#include "graphics/display.h"
#include "platform/clock.h"
#include "platform/window.h"
#include "screens/mode_table.h"
#include "shell/game_sound.h"
#include "shell/init_mode.h"
#include "shell/mainloop.h"
#include "shell/mode_stack.h"
#include "shell/screen_modes.h"
#include "shell/shell_services.h"

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsBetween(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double, std::milli>(to - from).count();
}

int LoadedScreens() {
  int loaded = 0;
  for (tmode* mode : ModesInLoadOrder(GameScreenModes)) loaded += mode->loaded ? 1 : 0;
  return loaded;
}

// Silent sound that notes when the loading picture has been shown (the
// splash raises its sound event right after) and what was loaded by then.
class ShownMarker final : public GameSound {
 public:
  void InitSound() override {}
  void PlaySoundEvent(int event) override {
    if (event != kSoundSplashDone) return;
    shownAt = Clock::now();
    preloaded = LoadedScreens();
  }
  void StartMusic() override {}
  void StopMusic() override {}
  void ShutdownSound() override {}

  Clock::time_point shownAt;
  int preloaded = 0;
};

// The display as the game's start-up sets it, in an 800 x 600 window.
void OpenGameDisplay() {
  static bool opened = false;
  if (opened) return;
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  std::filesystem::current_path(TERVANE_GAME_DIR);
  ConnectShellServices();
  platform::SetWindowedRequest(true);
  if (!platform::InitVideo()) std::abort();
  platform::WindowClass windowClass;
  windowClass.procedure = GameWindowProcedure;
  windowClass.className = "TervaneBench";
  platform::RegisterWindowClass(windowClass);
  MainWindowHandle = platform::CreateGameWindow("TervaneBench", "Tervane", platform::WS_POPUP);
  InitDisplay(MainWindowHandle);
  GameScreenModes = ScreenModeTable();
  opened = true;
}

void BM_SplashLoading(benchmark::State& state) {
  OpenGameDisplay();
  ShownMarker marker;
  GameSoundOutput = &marker;
  double beforeShown = 0, afterShown = 0;
  for (auto _ : state) {
    for (tmode* mode : ModesInLoadOrder(GameScreenModes)) mode->loaded = false;
    StartupComplete = false;
    DispatchEnabled = false;
    Clock::time_point start = Clock::now();
    DisplayStartTime = platform::GetTickCount();
    SwitchMode(&InitMode);
    Clock::time_point end = Clock::now();
    state.SetIterationTime(MillisecondsBetween(start, end) / 1000);
    beforeShown += MillisecondsBetween(start, marker.shownAt);
    afterShown += MillisecondsBetween(marker.shownAt, end);
  }
  GameSoundOutput = nullptr;
  double iterations = static_cast<double>(state.iterations());
  state.counters["screens"] = static_cast<double>(ModesInLoadOrder(GameScreenModes).size());
  state.counters["preloaded"] = marker.preloaded;
  state.counters["ms_to_shown"] = beforeShown / iterations;
  state.counters["ms_after_shown"] = afterShown / iterations;
}
BENCHMARK(BM_SplashLoading)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
