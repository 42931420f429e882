// The game's window on a real X server, driven by real X input.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace {

bool Contains(const std::string& text, const std::string& line) { return text.find(line + "\n") != std::string::npos; }

// Guards against pointer positions that are not mapped back to the 800 x 600
// picture when the full screen is scaled, lost buttons or keys, and key
// state read at the wrong moment (a capital typed with Shift must stay one).
TEST(RealWindowTest, ScaledFullScreenDeliversMappedInput) {
  fs::path work = fs::temp_directory_path() / ("tervane_window_" + std::to_string(getpid()));
  std::string command = std::string(TERVANE_SOURCE_DIR) + "/tests/e2e/drive_window.sh '" + TERVANE_WINDOW_CHECK +
                        "' '" + TERVANE_GAME_DIR + "' '" + work.string() + "'";
  FILE* pipe = popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string output;
  char buffer[512];
  while (size_t got = fread(buffer, 1, sizeof buffer, pipe)) output.append(buffer, got);
  int status = pclose(pipe);
  if (WIFEXITED(status) && WEXITSTATUS(status) == 77) GTEST_SKIP() << "Xvfb, xdotool or openbox missing";
  if (!fs::exists(fs::path(TERVANE_GAME_DIR) / "Fonts")) GTEST_SKIP() << "no program directory content";

  EXPECT_TRUE(Contains(output, "exit 0")) << output;
  EXPECT_TRUE(Contains(output, "down 1 400 300")) << output;  // 512, 384 of 1024 x 768
  EXPECT_TRUE(Contains(output, "up 1 400 300")) << output;
  EXPECT_TRUE(Contains(output, "down 2 781 39")) << output;  // 1000, 50
  EXPECT_TRUE(Contains(output, "up 2 781 39")) << output;
  EXPECT_TRUE(Contains(output, "text Ab1")) << output;
  EXPECT_EQ(fs::file_size(work / "snapshot.bmp"), 54u + 800u * 600u * 3u);
  fs::remove_all(work);
}

}  // namespace
