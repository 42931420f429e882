// One way for tests to see the game end itself. In every test program of the
// game, FatalExit (and with it every fatal error of graphics and of the
// island model, which the shell routes there), an uncaught run-time
// input/output error and a damaged pack entry throw ProgramStop instead of
// ending the process. FatalExit has written "Error.rep" by then, as it does
// in the game.
#pragma once

#include <stdexcept>
#include <string>

namespace testing_support {

enum class StopKind { kNone, kFatalExit, kRuntimeError, kPackAbort };

struct ProgramStop : std::runtime_error {
  ProgramStop(StopKind stopKind, int errorCode, const std::string& message)
      : std::runtime_error(message), kind(stopKind), code(errorCode) {}
  StopKind kind;
  int code;  // the run-time error's number; 0 for the other kinds
};

// Runs the call and tells how it ended: kind kNone (and no message) when it
// returned.
template <typename Call>
ProgramStop StopOf(Call&& call) {
  try {
    call();
  } catch (const ProgramStop& stop) {
    return stop;
  }
  return ProgramStop(StopKind::kNone, 0, "");
}

}  // namespace testing_support
