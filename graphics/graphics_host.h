// What graphics needs from the program above it: stepping the main loop while
// pictures load, so that the window stays serviced, and ending the game on a
// fatal error. The shell implements it and sets GraphicsHostOutput at start-up;
// without one (tools, tests of graphics alone) keeping the window alive does
// nothing and a fatal error writes its message to standard error and ends the
// process with status 1.
#pragma once

#include <string>

class GraphicsHost {
 public:
  virtual ~GraphicsHost() = default;

  virtual void KeepWindowAlive() = 0;
  // Reports the message and ends the game; must not return.
  virtual void FatalError(const std::string& message) = 0;
};

extern GraphicsHost* GraphicsHostOutput;

// GraphicsHostOutput, or the host that works without a shell.
GraphicsHost& HostOfGraphics();

// A fatal error of graphics, through the host. Should a host return, the
// process ends as it does without a shell.
[[noreturn]] void GraphicsFatalError(const std::string& message);
