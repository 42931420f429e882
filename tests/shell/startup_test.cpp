// Starts the real program in a temporary program directory.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "support/run_command.h"
#include "support/scratch_folder.h"

namespace fs = std::filesystem;

namespace {

// The program's standard error and exit status, started from another folder.
testing_support::CommandRun RunProgram(const fs::path& program) {
  return testing_support::RunCommand("cd / && SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy timeout 20 '" +
                                     program.string() + "' 2>&1 >/dev/null");
}

// Guards against a start-up that crashes, hangs or keeps an old error report
// when the program directory lacks its data files; it must end at once,
// naming the first missing file.
TEST(StartupTest, MissingDataEndsWithRuntimeErrorNamingTheFile) {
  testing_support::ScratchFolder folder;
  const fs::path& directory = folder.Path();
  for (const char* file : {"tervane", "libquelt.so", "libquelt.so.0"}) {
    fs::path from = fs::path(TERVANE_GAME_DIR) / file;
    if (fs::exists(from)) fs::copy_file(from, directory / file);
  }
  std::ofstream(directory / "Error.rep") << "left over\r\n";

  testing_support::CommandRun result = RunProgram(directory / "tervane");
  EXPECT_EQ(result.status, 2) << result.output;
  EXPECT_NE(result.output.find("Runtime error 2"), std::string::npos) << result.output;
  EXPECT_NE(result.output.find("Fonts\\font16.fnt"), std::string::npos) << result.output;
  EXPECT_FALSE(fs::exists(directory / "Error.rep"));
}

}  // namespace
