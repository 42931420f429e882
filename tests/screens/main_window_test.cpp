// The real game in a real window under its own X server, played with real
// X input (tests/e2e/drive_main_screen.sh). Its screenshots stay in
// build/tests/main-screen/ for looking at.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "support/run_command.h"
#include "support/scratch_folder.h"

namespace fs = std::filesystem;

namespace {

// drive_main_screen.sh's status when no X server can start here.
constexpr int kNoXServer = 77;

std::string Bytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The number after a label on a line of the driver's output; -1 without one.
double NumberAfter(const std::string& output, const std::string& label) {
  size_t at = output.find(label + " ");
  return at == std::string::npos ? -1 : std::stod(output.substr(at + label.size() + 1));
}

}  // namespace

// Guards against a game that cannot be played with real input from the
// splash on (keys, clicks on cells, F11, F12, help and back, the map
// selection), that holds the processor while it waits on the main screen,
// whose seconds counter stops, or that does not end cleanly by its exit
// button.
TEST(RealWindowTest, MainScreenPlayedWithRealInput) {
  testing_support::ScratchFolder scratch;
  fs::path work = scratch.Path() / "work";
  testing_support::CommandRun run = testing_support::RunCommand(
      std::string(TERVANE_SOURCE_DIR) + "/tests/e2e/drive_main_screen.sh '" + TERVANE_GAME_DIR + "' '" +
      work.string() + "' 2>&1");
  // The one skip the test command expects (scripts/test.sh).
  if (run.status == kNoXServer) GTEST_SKIP() << "no X server could start here";
  ASSERT_EQ(run.status, 0) << run.output;

  fs::path shots = fs::path(TERVANE_BINARY_DIR) / "tests" / "main-screen";
  fs::create_directories(shots);
  for (const auto& entry : fs::directory_iterator(work)) {
    if (entry.path().extension() == ".png") {
      fs::copy_file(entry.path(), shots / entry.path().filename(), fs::copy_options::overwrite_existing);
    }
  }

  EXPECT_NE(run.output.find("exit 0\n"), std::string::npos) << run.output;
  EXPECT_EQ(run.output.find("error report"), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("seconds counter advanced"), std::string::npos) << run.output;
  double cpu = NumberAfter(run.output, "cpu percent");
  EXPECT_GE(cpu, 0) << run.output;
  EXPECT_LE(cpu, 5.0) << run.output;
  EXPECT_GE(NumberAfter(run.output, "maps prepared"), 4) << run.output;
  // The map type chosen last is kept in the options.
  EXPECT_NE(run.output.find("options 01 01 00 04"), std::string::npos) << run.output;
  // Every stage showed a picture of its own.
  const char* stages[] = {"map-2", "neighbour-highlight", "message-box", "help", "map-1", "map-3", "map-4"};
  for (size_t a = 0; a < std::size(stages); ++a) {
    for (size_t b = a + 1; b < std::size(stages); ++b) {
      EXPECT_NE(Bytes(work / (std::string(stages[a]) + ".png")), Bytes(work / (std::string(stages[b]) + ".png")))
          << stages[a] << " and " << stages[b];
    }
  }
}
