// The game's real start-up, driven from inside its own process: the
// integration test copies the program directory, puts this program in it
// and runs it headless. It starts the game exactly as the game's entry does
// (the screens of the mode table, the splash, the main loop), and puts input
// into the game's window queue from the tick counter, which the main loop
// reads on every pass: each step waits until the game is ready for it and
// the previous one has settled, then posts its input. What it finds is
// written to standard output as "ok ..." or "FAIL ..." lines; the primary
// surface is saved as BMP pictures beside the program.
//
//   tervane-main-drive            (from the copied program directory)
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "game/clock.h"
#include "game/island.h"
#include "game/rules.h"
#include "game/view.h"
#include "platform/clock.h"
#include "platform/ddraw.h"
#include "platform/window.h"
#include "screens/main_counters.h"
#include "screens/main_mode.h"
#include "screens/message_mode.h"
#include "screens/mode_table.h"
#include "shell/game_sound.h"
#include "shell/mainloop.h"
#include "shell/mode_stack.h"
#include "shell/startup.h"

namespace {

constexpr uint32_t kSettleMilliseconds = 400;

void Report(bool ok, const std::string& what) {
  std::printf("%s %s\n", ok ? "ok" : "FAIL", what.c_str());
  std::fflush(stdout);
}

// The sound events the game raises, in order (the sound itself stays silent).
class RecordingSound final : public GameSound {
 public:
  std::vector<int> events;
  void InitSound() override {}
  void PlaySoundEvent(int event) override { events.push_back(event); }
  void StartMusic() override {}
  void StopMusic() override {}
  void ShutdownSound() override {}
  bool Heard(int event) const {
    for (int e : events) {
      if (e == event) return true;
    }
    return false;
  }
};

RecordingSound g_sound;

void PostClick(int button, int x, int y) {
  platform::LPARAM at = platform::MakeMouseLParam(x, y);
  platform::PostTestMessage(platform::WM_MOUSEMOVE, 0, at);
  platform::PostTestMessage(button == 1 ? platform::WM_LBUTTONDOWN : platform::WM_RBUTTONDOWN, 0, at);
  platform::PostTestMessage(button == 1 ? platform::WM_LBUTTONUP : platform::WM_RBUTTONUP, 0, at);
}

void PostMove(int x, int y) {
  platform::PostTestMessage(platform::WM_MOUSEMOVE, 0, platform::MakeMouseLParam(x, y));
}

void PostKey(int key) { platform::PostTestMessage(platform::WM_KEYDOWN, static_cast<platform::WPARAM>(key), 0); }

// A point inside a cell of the map on the screen, and the centre of a button.
int CellX(int cell) { return OffsetX + 2 * Island.Cell(cell).colCentre; }
int CellY(int cell) { return OffsetY + 2 * Island.Cell(cell).rowCentre - 1; }
void ClickButton(int index) {
  const tbutton& b = MainMode.buttons[index];
  PostClick(1, b.X + b.Width / 2, b.Y + b.Height / 2);
}

// The first cell (from 1) that is land, unexplored and of the given kind.
int FindClosedCell(bool radiated) {
  for (int d = 1; d <= Island.LastCell(); ++d) {
    const TIslandCell& cell = Island.Cell(d);
    if (cell.isLand && !cell.isExplored && !cell.isMarked && (cell.isRadiated != 0) == radiated) return d;
  }
  return 0;
}

// Whether the screen shows the explored texture over the cell: on most of
// its pixels (digits, its own and its neighbours', cover some of the others).
bool ShowsExploredTexture(int cell) {
  int pixels = 0, matching = 0;
  for (int r = 1; r <= kViewSize; ++r) {
    for (int c = 1; c <= kViewSize; ++c) {
      int x = OffsetX + c, y = OffsetY + r - 1;
      if (ViewCellGrid[r - 1][c - 1] != cell || ViewStateGrid[r - 1][c - 1] != kStateExplored || x < 0 || y < 0 ||
          x >= 800 || y >= 600) {
        continue;
      }
      ++pixels;
      if (PrimarySurface->PixelAt(x, y) == MainMode.art.normal->PixelAt(c, r - 1)) ++matching;
    }
  }
  std::printf("cell %d: %d of %d pixels show the explored texture\n", cell, matching, pixels);
  return pixels > 0 && matching * 10 >= pixels * 8;
}

bool Showing(const char* name) { return CurrentMode() != nullptr && CurrentMode()->ModeName == name; }
bool MapInPlay() { return Showing("Main") && MainMode.mapLoaded && Island.active && GameRunning; }

struct Step {
  std::function<bool()> ready;
  std::function<void()> act;
};

int g_safeCell = 0;
int g_radiatedCell = 0;
int32_t g_secondsBeforeHelp = 0;

std::vector<Step> Scenario() {
  return {
      {[] { return StartupComplete && Showing("Init"); },
       [] {
         Report(true, "splash waits for a key");
         PostKey(platform::VK_SPACE);
       }},
      {MapInPlay,
       [] {
         Report(g_sound.Heard(60), "a first map was prepared by itself (sound event 60)");
         Report(platform::SaveSurfaceAsBmp(*PrimarySurface, "shot-main.bmp"), "main screen saved");
         Report(SecondsCounterText() == "0", "seconds counter at 0 before the first opening");
         g_safeCell = FindClosedCell(false);
         g_radiatedCell = FindClosedCell(true);
         Report(g_safeCell != 0 && g_radiatedCell != 0, "the map has closed safe and radiated cells");
         PostClick(1, CellX(g_safeCell), CellY(g_safeCell));
         PostMove(600, 580);  // the pointer off the island again
       }},
      {MapInPlay,
       [] {
         Report(Island.Cell(g_safeCell).isExplored != 0, "left click opened cell " + std::to_string(g_safeCell));
         Report(StartTick != 0, "the clock started with the first opening");
         Report(ShowsExploredTexture(g_safeCell), "the opened cell shows the explored texture on the screen");
         PostClick(2, CellX(g_radiatedCell), CellY(g_radiatedCell));
       }},
      {MapInPlay,
       [] {
         Report(Island.Cell(g_radiatedCell).isMarked != 0, "right click marked cell " + std::to_string(g_radiatedCell));
         Report(Island.accountedRadiated == 1, "the mark counts against the radiated areas left");
         platform::SaveSurfaceAsBmp(*PrimarySurface, "shot-marked.bmp");
         PostKey(platform::VK_F11);
       }},
      {[] { return Showing("Message"); },
       [] {
         Report(MessageScreen.line1 == "GameMode=" + std::to_string(IslandNumber), "F11 shows " + MessageScreen.line1);
         platform::SaveSurfaceAsBmp(*PrimarySurface, "shot-message.bmp");
         PostKey(platform::VK_ESCAPE);
       }},
      {MapInPlay,
       [] {
         g_secondsBeforeHelp = ElapsedSeconds();
         ClickButton(4);
       }},
      {[] { return Showing("Help"); },
       [] {
         platform::SaveSurfaceAsBmp(*PrimarySurface, "shot-help.bmp");
         Report(true, "the help button shows help");
         PostKey(platform::VK_ESCAPE);
       }},
      {MapInPlay,
       [] {
         Report(ElapsedSeconds() - g_secondsBeforeHelp <= 1, "the time on help was not counted");
         ClickButton(6);
       }},
  };
}

std::vector<Step> g_steps;
size_t g_next = 0;
uint32_t g_lastAction = 0;
bool g_inStep = false;

uint32_t DriverTicks() {
  static const auto start = std::chrono::steady_clock::now();
  auto elapsed = std::chrono::steady_clock::now() - start;
  uint32_t now = 1000 + static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
  if (g_inStep || g_next >= g_steps.size() || now - g_lastAction < kSettleMilliseconds || InputQueue.count > 0) {
    return now;
  }
  g_inStep = true;
  if (g_steps[g_next].ready()) {
    g_steps[g_next].act();
    ++g_next;
    g_lastAction = now;
  }
  g_inStep = false;
  return now;
}

}  // namespace

int main(int argc, char** argv) {
  g_steps = Scenario();
  platform::SetTickSource(DriverTicks);
  GameSoundOutput = &g_sound;
  return RunGame(argc, argv, ScreenModeTable());
}
