#include "game/game_host.h"

#include "graphics/graphics_host.h"

namespace {

class NoShell final : public GameHost {
 public:
  void KeepWindowAlive() override {}
  void DiscardQueuedInput() override {}
  void FatalError(const std::string& message) override { EndWithoutShell(message); }
};

NoShell g_noShell;

}  // namespace

GameHost* GameHostOutput = nullptr;

GameHost& HostOfGame() { return GameHostOutput != nullptr ? *GameHostOutput : g_noShell; }

void GameFatalError(const std::string& message) {
  HostOfGame().FatalError(message);
  EndWithoutShell(message);
}
