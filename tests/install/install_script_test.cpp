// Installs the built game with scripts/install.sh into a temporary folder for
// a temporary HOME, starts it the way the menu would (it reaches the splash
// screen, which starts the music), and removes it again.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <sstream>
#include <thread>
#include <vector>

#include "install_fixture.h"
#include "support/run_command.h"

namespace {

using testing_support::CommandRun;
using testing_support::RunCommand;

std::string Quoted(const fs::path& path) { return "'" + path.string() + "'"; }

// The arguments of a desktop entry's Exec value: string escapes first, then
// double-quoted arguments with their backslash escapes.
std::vector<std::string> ExecArguments(const std::string& value) {
  std::string unescaped;
  for (size_t i = 0; i < value.size(); ++i) {
    if (value[i] == '\\' && i + 1 < value.size() && value[i + 1] == '\\') ++i;
    unescaped += value[i];
  }
  std::vector<std::string> arguments;
  std::string current;
  bool quoted = false, inArgument = false;
  for (size_t i = 0; i < unescaped.size(); ++i) {
    char c = unescaped[i];
    if (c == '"') {
      quoted = !quoted;
      inArgument = true;
    } else if (quoted && c == '\\' && i + 1 < unescaped.size()) {
      current += unescaped[++i];
    } else if (!quoted && c == ' ') {
      if (inArgument) arguments.push_back(current);
      current.clear();
      inArgument = false;
    } else {
      current += c;
      inArgument = true;
    }
  }
  if (inArgument) arguments.push_back(current);
  return arguments;
}

std::string EntryValue(const std::string& entry, const std::string& key) {
  std::istringstream lines(entry);
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind(key + "=", 0) == 0) return line.substr(key.size() + 1);
  }
  return {};
}

// Starts the program headless, lets it run for a moment and ends it; true
// when it was still running then. What its sound device plays goes to
// `capture` (SDL's disk driver).
bool RunsUntilEnded(const std::vector<std::string>& arguments, const fs::path& capture) {
  pid_t child = fork();
  if (child == 0) {
    std::vector<char*> argv;
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", capture.c_str(), 1);
    if (chdir("/") == 0) execv(argv[0], argv.data());
    _exit(127);
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(3000));
  int status = 0;
  bool running = waitpid(child, &status, WNOHANG) == 0;
  if (running) {
    kill(child, SIGKILL);
    waitpid(child, &status, 0);
  }
  return running;
}

// Whether a capture of 16-bit samples holds sound: the music the splash
// screen starts once it has loaded (the device plays silence before).
bool HoldsSound(const std::string& capture) {
  for (size_t i = 0; i + 1 < capture.size(); i += 2) {
    int sample = static_cast<int16_t>(static_cast<uint8_t>(capture[i]) | static_cast<uint8_t>(capture[i + 1]) << 8);
    if (sample > 256 || sample < -256) return true;
  }
  return false;
}

using InstallScriptTest = InstallTest;

// Guards against an installed game that the menu cannot start (a wrong or
// badly quoted path in the entry, missing data or library), an entry the
// desktop rejects, and a removal that leaves the entry behind.
TEST_F(InstallScriptTest, InstalledMenuEntryStartsTheGameAndIsRemovedAgain) {
  unsetenv("XDG_DATA_HOME");
  fs::path target = root / "Tervane games" / "tervane";
  CommandRun install = RunCommand("TERVANE_BUILD_DIR=" + Quoted(TERVANE_BINARY_DIR) + " timeout 120 " +
                       Quoted(fs::path(TERVANE_SOURCE_DIR) / "scripts" / "install.sh") + " --no-build " +
                       Quoted(target) + " 2>&1");
  ASSERT_EQ(install.status, 0) << install.output;

  fs::path menu = root / "home" / ".local" / "share" / "applications";
  fs::path entry = menu / "Tervane" / "tervane.desktop";
  ASSERT_TRUE(fs::exists(entry));
  EXPECT_FALSE(fs::exists(target / "group"));
  CommandRun validation = RunCommand("desktop-file-validate " + Quoted(entry) + " 2>&1");
  EXPECT_EQ(validation.status, 0) << validation.output;
  EXPECT_EQ(validation.output, "");

  std::vector<std::string> command = ExecArguments(EntryValue(ReadFile(entry), "Exec"));
  ASSERT_EQ(command, std::vector<std::string>{(target / "tervane").string()});
  fs::path capture = root / "played.raw";
  EXPECT_TRUE(RunsUntilEnded(command, capture));
  EXPECT_TRUE(HoldsSound(ReadFile(capture))) << "the installed game never reached its splash screen's music";
  EXPECT_FALSE(fs::exists(target / "Error.rep"));

  CommandRun removal = RunCommand("timeout 20 " + Quoted(target / "tervane") + " -unreg 2>&1");
  EXPECT_EQ(removal.status, 0) << removal.output;
  EXPECT_FALSE(fs::exists(menu / "Tervane"));
}

}  // namespace
