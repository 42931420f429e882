// The game's window on a real X server, driven by real X input.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct DriveResult {
  int status = -1;  // of drive_window.sh: 77 when no X server can start here
  std::string output;
  fs::path work;
};

constexpr int kNoXServer = 77;

// Runs the window check program under its own X server; pixelFormat "555"
// asks the display for 5-5-5 pixels.
DriveResult Drive(const std::string& pixelFormat) {
  DriveResult result;
  result.work = fs::temp_directory_path() / ("tervane_window_" + std::to_string(getpid()) + "_" + pixelFormat);
  std::string command = "TERVANE_PIXEL_FORMAT=" + pixelFormat + " " + std::string(TERVANE_SOURCE_DIR) +
                        "/tests/e2e/drive_window.sh '" + TERVANE_WINDOW_CHECK + "' '" + TERVANE_GAME_DIR + "' '" +
                        result.work.string() + "' 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return result;
  char buffer[512];
  while (size_t got = fread(buffer, 1, sizeof buffer, pipe)) result.output.append(buffer, got);
  int status = pclose(pipe);
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
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
  DriveResult rgb565 = Drive("565");
  // The one skip the test command expects (scripts/test.sh).
  if (rgb565.status == kNoXServer) GTEST_SKIP() << "no X server could start here";
  ASSERT_EQ(rgb565.status, 0) << rgb565.output;
  for (const DriveResult* run : {&rgb565}) {
    EXPECT_TRUE(Contains(run->output, "exit 0")) << run->output;
    EXPECT_TRUE(Contains(run->output, "down 1 400 300")) << run->output;  // 512, 384 of 1024 x 768
    EXPECT_TRUE(Contains(run->output, "up 1 400 300")) << run->output;
    EXPECT_TRUE(Contains(run->output, "down 2 781 39")) << run->output;  // 1000, 50
    EXPECT_TRUE(Contains(run->output, "up 2 781 39")) << run->output;
    EXPECT_TRUE(Contains(run->output, "text Ab1")) << run->output;
  }
  DriveResult rgb555 = Drive("555");
  EXPECT_TRUE(Contains(rgb555.output, "text Ab1")) << rgb555.output;

  std::vector<uint8_t> picture565 = ReadBytes(rgb565.work / "snapshot.bmp");
  std::vector<uint8_t> picture555 = ReadBytes(rgb555.work / "snapshot.bmp");
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
  fs::remove_all(rgb565.work);
  fs::remove_all(rgb555.work);
}

}  // namespace
