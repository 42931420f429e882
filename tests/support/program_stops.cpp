// Installs the handlers of program_stops.h for the whole run of a test
// program, with the shell's services connected as the start-up connects them.
#include "support/program_stops.h"

#include <gtest/gtest.h>

#include "graphics/packs/reader.h"
#include "platform/files.h"
#include "shell/mainloop.h"
#include "shell/shell_services.h"

namespace testing_support {
namespace {

class ThrowOnProgramStops : public testing::Environment {
 public:
  void SetUp() override {
    ConnectShellServices();
    SetFatalExitHandler(
        [](const std::string& message) { throw ProgramStop(StopKind::kFatalExit, 0, message); });
    platform::SetRuntimeErrorHandler(
        [](int code, const std::string& message) { throw ProgramStop(StopKind::kRuntimeError, code, message); });
    SetPackAbortHandler([](const std::string& message) { throw ProgramStop(StopKind::kPackAbort, 0, message); });
  }
};

testing::Environment* const g_programStops = testing::AddGlobalTestEnvironment(new ThrowOnProgramStops);

}  // namespace
}  // namespace testing_support
