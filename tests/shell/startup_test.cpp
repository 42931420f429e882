// Starts the real program in a temporary program directory.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;

namespace {

struct RunResult {
  int status = -1;
  std::string errorOutput;
};

RunResult RunProgram(const fs::path& program) {
  std::string command = "cd / && SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy timeout 20 '" + program.string() +
                        "' 2>&1 >/dev/null";
  RunResult result;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return result;
  char buffer[256];
  while (size_t got = fread(buffer, 1, sizeof buffer, pipe)) result.errorOutput.append(buffer, got);
  int status = pclose(pipe);
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

// Guards against a start-up that crashes, hangs or keeps an old error report
// when the program directory lacks its data files; it must end at once,
// naming the first missing file.
TEST(StartupTest, MissingDataEndsWithRuntimeErrorNamingTheFile) {
  fs::path directory = fs::temp_directory_path() / ("tervane_start_" + std::to_string(getpid()));
  fs::remove_all(directory);
  fs::create_directories(directory);
  for (const char* file : {"tervane", "libquelt.so", "libquelt.so.0"}) {
    fs::path from = fs::path(TERVANE_GAME_DIR) / file;
    if (fs::exists(from)) fs::copy_file(from, directory / file);
  }
  std::ofstream(directory / "Error.rep") << "left over\r\n";

  RunResult result = RunProgram(directory / "tervane");
  EXPECT_EQ(result.status, 2) << result.errorOutput;
  EXPECT_NE(result.errorOutput.find("Runtime error 2"), std::string::npos) << result.errorOutput;
  EXPECT_NE(result.errorOutput.find("Fonts\\font16.fnt"), std::string::npos) << result.errorOutput;
  EXPECT_FALSE(fs::exists(directory / "Error.rep"));
  fs::remove_all(directory);
}

}  // namespace
