// What the island model needs from the program around it besides the main
// screen (game/game_screen.h): keeping the window serviced during long work,
// dropping the input queued meanwhile, and ending the game on a fatal error.
// The shell implements it and sets GameHostOutput at start-up. Without one
// (the island tools use the model on its own) nothing is serviced or dropped,
// and a fatal error writes its message to standard error and ends the process
// with status 1.
#pragma once

#include <string>

class GameHost {
 public:
  virtual ~GameHost() = default;

  // One step of the main loop (window messages are pumped; queued input waits).
  virtual void KeepWindowAlive() = 0;
  // Forgets queued input and the held mouse buttons.
  virtual void DiscardQueuedInput() = 0;
  // Reports the message ("Error.rep") and ends the game; must not return.
  virtual void FatalError(const std::string& message) = 0;
};

extern GameHost* GameHostOutput;

// GameHostOutput, or the host that works without a shell.
GameHost& HostOfGame();

// A fatal error of the island model, through the host. Should a host
// return, the process ends as it does without a shell.
[[noreturn]] void GameFatalError(const std::string& message);
