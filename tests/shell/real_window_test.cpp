// The game's window on a real X server, driven by real X input.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/run_command.h"
#include "support/scratch_folder.h"

namespace fs = std::filesystem;

namespace {

using testing_support::CommandRun;

// drive_window.sh's status when no X server can start here.
constexpr int kNoXServer = 77;

// Runs the window check program under its own X server, working in the
// folder `work`; pixelFormat "555" asks the display for 5-5-5 pixels.
CommandRun Drive(const fs::path& work, const std::string& pixelFormat) {
  return testing_support::RunCommand("TERVANE_PIXEL_FORMAT=" + pixelFormat + " " + std::string(TERVANE_SOURCE_DIR) +
                                     "/tests/e2e/drive_window.sh '" + TERVANE_WINDOW_CHECK + "' '" + TERVANE_GAME_DIR +
                                     "' '" + work.string() + "' 2>&1");
}

bool Contains(const std::string& text, const std::string& line) { return text.find(line + "\n") != std::string::npos; }

std::vector<uint8_t> ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Guards against pointer positions that are not mapped back to the 800 x 600
// picture when the full screen is scaled, lost buttons or keys, key state
// read at the wrong moment (a capital typed with Shift must stay one), and a
// 5-5-5 display whose pictures, text or presentation differ from 5-6-5.
TEST(RealWindowTest, ScaledFullScreenDeliversMappedInputInBothPixelFormats) {
  ASSERT_TRUE(fs::exists(fs::path(TERVANE_GAME_DIR) / "Fonts")) << "the program directory has no content";
  testing_support::ScratchFolder scratch;
  CommandRun rgb565 = Drive(scratch.Path() / "565", "565");
  // The one skip the test command expects (scripts/test.sh).
  if (rgb565.status == kNoXServer) GTEST_SKIP() << "no X server could start here";
  ASSERT_EQ(rgb565.status, 0) << rgb565.output;
  for (const CommandRun* run : {&rgb565}) {
    EXPECT_TRUE(Contains(run->output, "exit 0")) << run->output;
    EXPECT_TRUE(Contains(run->output, "down 1 400 300")) << run->output;  // 512, 384 of 1024 x 768
    EXPECT_TRUE(Contains(run->output, "up 1 400 300")) << run->output;
    EXPECT_TRUE(Contains(run->output, "down 2 781 39")) << run->output;  // 1000, 50
    EXPECT_TRUE(Contains(run->output, "up 2 781 39")) << run->output;
    EXPECT_TRUE(Contains(run->output, "text Ab1")) << run->output;
  }
  CommandRun rgb555 = Drive(scratch.Path() / "555", "555");
  EXPECT_TRUE(Contains(rgb555.output, "text Ab1")) << rgb555.output;

  std::vector<uint8_t> picture565 = ReadBytes(scratch.Path() / "565" / "snapshot.bmp");
  std::vector<uint8_t> picture555 = ReadBytes(scratch.Path() / "555" / "snapshot.bmp");
  ASSERT_EQ(picture565.size(), 54u + 800u * 600u * 3u);
  ASSERT_EQ(picture555.size(), picture565.size());
  // The same picture, within the one green level the 5-5-5 format loses.
  long long difference = 0;
  int largest = 0;
  for (size_t i = 54; i < picture565.size(); ++i) {
    int d = std::abs(picture565[i] - picture555[i]);
    difference += d;
    largest = std::max(largest, d);
  }
  EXPECT_GT(difference, 0) << "the 5-5-5 run drew in 5-6-5";
  EXPECT_LT(static_cast<double>(difference) / (picture565.size() - 54), 3.0);
  EXPECT_LE(largest, 12);
}

}  // namespace
