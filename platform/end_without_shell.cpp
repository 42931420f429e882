#include "platform/end_without_shell.h"

#include <cstdio>
#include <cstdlib>

namespace platform {

void EndWithoutShell(const std::string& message) {
  std::fprintf(stderr, "%s\n", message.c_str());
  std::fflush(stderr);
  std::exit(1);
}

}  // namespace platform
