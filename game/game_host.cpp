#include "game/game_host.h"

#include "platform/end_without_shell.h"

namespace {

class NoShell final : public GameHost {
 public:
  void KeepWindowAlive() override {}
  void DiscardQueuedInput() override {}
  void FatalError(const std::string& message) override { platform::EndWithoutShell(message); }
};

NoShell g_noShell;

}  // namespace

GameHost* GameHostOutput = nullptr;

GameHost& HostOfGame() { return GameHostOutput != nullptr ? *GameHostOutput : g_noShell; }

void GameFatalError(const std::string& message) {
  HostOfGame().FatalError(message);
  platform::EndWithoutShell(message);
}
