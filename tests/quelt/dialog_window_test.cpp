// The settings dialog in a real window: quelt-play --settings on its own X
// server, driven by X input, its output captured with SDL's disk driver.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::vector<uint8_t> ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Largest 16-bit sample of a capture, in magnitude.
int Peak(const std::vector<uint8_t>& pcm) {
  int peak = 0;
  for (size_t i = 0; i + 1 < pcm.size(); i += 2) {
    peak = std::max(peak, std::abs(static_cast<int16_t>(pcm[i] | pcm[i + 1] << 8)));
  }
  return peak;
}

// Guards against a view whose controls do not reach the mixer (the music
// trackbar, the frequency list with OK), that shows upside down (bottom must
// be silent), that does not close on OK or Cancel, or that keeps the program
// from stopping cleanly while it is open or after it closed.
TEST(DialogWindowTest, TrackbarRateOkAndCancelWorkOnTheRunningOutput) {
#if defined(__SANITIZE_THREAD__)
  GTEST_SKIP() << "GTK is not built for ThreadSanitizer";
#endif
  const fs::path music = fs::path(TERVANE_GAME_DIR) / "music.xm";
  if (!fs::exists(music) || !fs::exists(fs::path(QUELT_PLAY_PROGRAM).parent_path() / "quelt")) {
    GTEST_SKIP() << "the project's music or the dialog's view module was not built";
  }
  const fs::path work = fs::temp_directory_path() / ("quelt_dialog_" + std::to_string(getpid()));
  const std::string command = std::string(TERVANE_SOURCE_DIR) + "/tests/e2e/drive_dialog.sh '" +
                              QUELT_PLAY_PROGRAM + "' '" + music.string() + "' '" + work.string() + "'";
  FILE* pipe = popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string output;
  char buffer[512];
  while (size_t got = fread(buffer, 1, sizeof buffer, pipe)) output.append(buffer, got);
  const int status = pclose(pipe);
  if (WIFEXITED(status) && WEXITSTATUS(status) == 77) GTEST_SKIP() << "Xvfb, xdotool, openbox or ImageMagick missing";
  std::map<std::string, std::vector<long>> seen;
  std::istringstream lines(output);
  for (std::string name; lines >> name;) {
    std::string value;
    lines >> value;
    seen[name].push_back(std::atol(value.c_str()));
  }
  ASSERT_EQ(seen["exit"].size(), 2u) << output;
  EXPECT_EQ(seen["exit"], (std::vector<long>{130, 130})) << output;
  EXPECT_EQ(seen["running"], (std::vector<long>{1, 1})) << output;
  EXPECT_EQ(seen["shown_after_ok"], std::vector<long>{0}) << output;
  EXPECT_EQ(seen["shown_after_cancel"], std::vector<long>{0}) << output;
  // 44100 Hz stereo 16 bit before, 22050 Hz after (bytes per second of a
  // capture that the disk driver writes in real time).
  const double before = seen["rate_before"].at(0);
  const double after = seen["rate_after"].at(0);
  EXPECT_NEAR(before, 176400, 176400 * 0.25) << output;
  EXPECT_NEAR(after / before, 0.5, 0.15) << output;
  EXPECT_GT(Peak(ReadBytes(work / "loud.raw")), 1000);
  const std::vector<uint8_t> silent = ReadBytes(work / "silent.raw");
  EXPECT_GT(silent.size(), 44100u);
  EXPECT_EQ(Peak(silent), 0);
  // The dialog's picture stays in the build for people to look at.
  std::error_code ignored;
  fs::copy_file(work / "dialog.png", fs::path(TERVANE_BINARY_DIR) / "tests" / "quelt-settings-dialog.png",
                fs::copy_options::overwrite_existing, ignored);
  fs::remove_all(work);
}

}  // namespace
