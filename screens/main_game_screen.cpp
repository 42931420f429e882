#include "screens/main_game_screen.h"

#include "graphics/cursor.h"
#include "graphics/display.h"
#include "graphics/transition.h"
#include "screens/main_events.h"
#include "screens/main_mode.h"
#include "screens/new_record_mode.h"
#include "shell/game_sound.h"
#include "shell/mode_stack.h"
#include "shell/screen_modes.h"

namespace {

bool MainScreenShows() { return CurrentMode() == &MainMode; }

class MainScreenOfGame final : public GameScreen {
 public:
  void PlaySound(int event) override { Sound().PlaySoundEvent(event); }
  void SelectPointer(int image) override { SelectCursor(image); }
  // Only the screen on top draws: a screen pushed over the main one keeps
  // its picture, and the main screen shows the changes when it comes back.
  void Redraw(bool full) override {
    if (MainScreenShows()) MainMode.Redraw(full);
  }
  void RenderIsland() override { MainMode.RenderIsland(); }
  void RepaintCell(int cell) override { MainMode.RepaintCell(cell); }
  void MarkMapLoaded() override { MainMode.mapLoaded = true; }
  void PrepareTransition() override {
    MainMode.DrawBackground();
    MainMode.Draw();
    CopySurface(*NewScreenBuffer, 0, 0, *BackBuffer, kCopyWait);
    CopySurface(*OldScreenBuffer, 0, 0, *PrimarySurface, kCopyWait);
  }
  void PlayTransition(int effect, int milliseconds) override { ::PlayTransition(effect, milliseconds); }
  void PushFailScreen() override { PushIfPresent(GameScreenModes.failure); }
  void PushFinishScreen() override { PushIfPresent(GameScreenModes.finish); }
  void PushNewRecordScreen(const std::string& line1, const std::string& line2) override {
    if (!NewRecordScreen.loaded) NewRecordScreen.Load();
    NewRecordScreen.line1 = line1;
    NewRecordScreen.line2 = line2;
    PushMode(&NewRecordScreen);
    FontWeight = 400;
  }
};

MainScreenOfGame g_mainScreenOfGame;

}  // namespace

void ConnectMainScreenToGame() { GameScreenOutput = &g_mainScreenOfGame; }

GameScreen& MainGameScreen() { return g_mainScreenOfGame; }
