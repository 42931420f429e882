// What a fatal error does where no shell has taken fatal errors over (tools,
// tests, the layers below the shell on their own).
#pragma once

#include <string>

namespace platform {

// The message on standard error, then the end of the process with status 1.
[[noreturn]] void EndWithoutShell(const std::string& message);

}  // namespace platform
