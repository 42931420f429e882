// Runs a program for a test: its output gathered, standard error on a pipe
// or on a pseudo terminal, an optional SIGINT after a while, and a time limit
// after which it is killed (a program that does not stop fails its test).
#pragma once

#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <vector>

struct ProgramRun {
  int status = -1;  // exit status; -1 when killed or not run
  std::string output;  // standard output (and, on a terminal, standard error)
  std::string errors;  // standard error, when not on a terminal
};

struct ProgramSettings {
  std::vector<std::string> environment;  // NAME=VALUE added to the test's own
  bool terminal = false;        // standard output and error on a pseudo terminal
  int interruptAfterMs = -1;    // SIGINT this long after the start
  int limitMs = 60000;
};

inline ProgramRun RunProgram(const std::vector<std::string>& arguments, const ProgramSettings& settings = {}) {
  ProgramRun run;
  int outPipe[2], errorPipe[2];
  if (pipe(outPipe) != 0 || pipe(errorPipe) != 0) return run;
  // Everything the child needs is made before forking: after a fork only
  // calls that allocate nothing are safe.
  std::vector<char*> argv;
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  std::vector<char*> envp;
  for (const std::string& variable : settings.environment) envp.push_back(const_cast<char*>(variable.c_str()));
  for (char** variable = environ; *variable != nullptr; ++variable) envp.push_back(*variable);
  envp.push_back(nullptr);
  int terminal = -1;
  winsize size{24, 200, 0, 0};  // rows, columns
  const pid_t child = settings.terminal ? forkpty(&terminal, nullptr, nullptr, &size) : fork();
  if (child == 0) {
    if (!settings.terminal) {
      dup2(outPipe[1], STDOUT_FILENO);
      dup2(errorPipe[1], STDERR_FILENO);
    }
    execve(argv[0], argv.data(), envp.data());
    _exit(127);
  }
  close(outPipe[1]);
  close(errorPipe[1]);
  if (child < 0) return run;
  if (settings.terminal) {
    close(outPipe[0]);
    close(errorPipe[0]);
  }
  // Read until both streams end (a stream that ends is no longer polled).
  int streams[2] = {settings.terminal ? terminal : outPipe[0], settings.terminal ? -1 : errorPipe[0]};
  std::string* texts[2] = {&run.output, &run.errors};
  const auto start = std::chrono::steady_clock::now();
  bool interrupted = false;
  bool ended = false;
  int status = 0;
  while (!ended || streams[0] >= 0 || streams[1] >= 0) {
    const auto elapsed =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
    if (!interrupted && settings.interruptAfterMs >= 0 && elapsed >= settings.interruptAfterMs) {
      kill(child, SIGINT);
      interrupted = true;
    }
    if (elapsed > settings.limitMs) kill(child, SIGKILL);
    pollfd fds[2] = {{streams[0], POLLIN, 0}, {streams[1], POLLIN, 0}};
    poll(fds, 2, 20);
    for (int i = 0; i < 2; ++i) {
      if (streams[i] < 0 || !(fds[i].revents & (POLLIN | POLLHUP | POLLERR))) continue;
      char buffer[4096];
      const ssize_t got = read(streams[i], buffer, sizeof buffer);
      if (got > 0) {
        texts[i]->append(buffer, static_cast<size_t>(got));
      } else {
        close(streams[i]);
        streams[i] = -1;
      }
    }
    if (!ended && waitpid(child, &status, WNOHANG) == child) ended = true;
  }
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}
