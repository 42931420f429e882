#include "game/game_host.h"

#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void EndWithMessage(const std::string& message) {
  std::fprintf(stderr, "%s\n", message.c_str());
  std::fflush(stderr);
  std::exit(1);
}

class NoShell final : public GameHost {
 public:
  void KeepWindowAlive() override {}
  void DiscardQueuedInput() override {}
  void FatalError(const std::string& message) override { EndWithMessage(message); }
};

NoShell g_noShell;

}  // namespace

GameHost* GameHostOutput = nullptr;

GameHost& HostOfGame() { return GameHostOutput != nullptr ? *GameHostOutput : g_noShell; }

void GameFatalError(const std::string& message) {
  HostOfGame().FatalError(message);
  EndWithMessage(message);
}
