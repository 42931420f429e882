// The main screen's drawing: the island picture rendered once per map (per
// map type), one cell repainted after a click, one whole frame (map layer,
// status line, counters, pointer, flip) and one new status-line picture.
// Runs headless over a copy of the build's program directory.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

#include "game/island.h"
#include "game/map_start.h"
#include "game/options_file.h"
#include "game/view.h"
#include "graphics/cursor.h"
#include "graphics/font.h"
#include "graphics/transitionmaps.h"
#include "screens/main_mode.h"
#include "screens/main_status_line.h"
#include "shell/mode_stack.h"
#include "shell/shell_services.h"
#include "support/test_display.h"

namespace {

namespace fs = std::filesystem;

fs::path g_folder;

void RemoveFolder() {
  std::error_code ignored;
  fs::remove_all(g_folder, ignored);
}

// The program directory copied where new maps may write their files, made
// current; the display opened headless; the main screen on the stack.
void OpenMainScreen() {
  static bool opened = false;
  if (opened) return;
  opened = true;
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  fs::path folder = fs::temp_directory_path() / ("tervane-bench-" + std::to_string(getpid()));
  fs::create_directories(folder);
  g_folder = folder;
  std::atexit(RemoveFolder);
  for (const auto& entry : fs::directory_iterator(TERVANE_GAME_DIR)) {
    fs::path target = folder / entry.path().filename();
    if (fs::exists(target)) continue;
    if (entry.path().filename() == "islands") {
      fs::copy(entry.path(), target);
    } else {
      fs::create_symlink(entry.path(), target);
    }
  }
  fs::current_path(folder);
  ConnectShellServices();
  testing_support::OpenTestDisplay();
  DispatchEnabled = false;
  InitTransitionMaps();
  for (const char* font : {"Fonts\\font16.fnt", "Fonts\\font20p.fnt", "Fonts\\digits16.fnt", "Fonts\\game20.fnt",
                           "Fonts\\font14p.fnt"}) {
    LoadFont(font, 0);
  }
  SwitchMode(&MainMode);
  CursorVisible = true;
}

void StartMap(int mapType) {
  OpenMainScreen();
  GameOptions = TGameOptions{1, 1, 0, static_cast<uint8_t>(mapType)};
  StartNewMap(Island);
}

// The first explored cell with a digit, or the first cell.
int SomeOpenedCell() {
  for (int d = 1; d <= Island.LastCell(); ++d) {
    if (Island.Cell(d).isExplored && !Island.Cell(d).isRadiated) return d;
  }
  return 1;
}

void BM_RenderIslandPicture(benchmark::State& state) {
  StartMap(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    MainMode.RenderIsland();
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_RenderIslandPicture)->DenseRange(1, 4)->Unit(benchmark::kMicrosecond);

void BM_RepaintOneCell(benchmark::State& state) {
  StartMap(static_cast<int>(state.range(0)));
  int cell = SomeOpenedCell();
  for (auto _ : state) {
    MainMode.RepaintCell(cell);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_RepaintOneCell)->Arg(1)->Arg(4)->Unit(benchmark::kMicrosecond);

// A full redraw as a click or a hover change makes it, and a status-only
// redraw as the seconds counter makes it every second.
void BM_MainScreenFrame(benchmark::State& state) {
  StartMap(2);
  bool full = state.range(0) != 0;
  Island.hoverCode = static_cast<uint8_t>(SomeOpenedCell() + 1);
  for (auto _ : state) {
    MainMode.Redraw(full);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_MainScreenFrame)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

void BM_MakeStatusLineEntry(benchmark::State& state) {
  OpenMainScreen();
  for (auto _ : state) benchmark::DoNotOptimize(MakeStatusPicture("Radiated area (-30 seconds)"));
}
BENCHMARK(BM_MakeStatusLineEntry)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
