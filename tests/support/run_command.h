// Runs a shell command for a test: what it writes to standard output (add
// "2>&1" to the command for standard error too) and its exit status.
#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <string>

namespace testing_support {

struct CommandRun {
  int status = -1;  // the exit status; -1 when it did not exit normally
  std::string output;
};

inline CommandRun RunCommand(const std::string& command) {
  CommandRun run;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return run;
  char buffer[512];
  while (size_t got = fread(buffer, 1, sizeof buffer, pipe)) run.output.append(buffer, got);
  int status = pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

}  // namespace testing_support
