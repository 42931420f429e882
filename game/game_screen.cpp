#include "game/game_screen.h"

namespace {

class NoScreen final : public GameScreen {
 public:
  void PlaySound(int) override {}
  void SelectPointer(int) override {}
  void Redraw(bool) override {}
  void RenderIsland() override {}
  void RepaintCell(int) override {}
  void MarkMapLoaded() override {}
  void PrepareTransition() override {}
  void PlayTransition(int, int) override {}
  void PushFailScreen() override {}
  void PushFinishScreen() override {}
  void PushNewRecordScreen(const std::string&, const std::string&) override {}
};

NoScreen g_noScreen;

}  // namespace

GameScreen* GameScreenOutput = nullptr;

GameScreen& Screen() { return GameScreenOutput != nullptr ? *GameScreenOutput : g_noScreen; }
