// The real start-up over a copy of the program directory, with input put
// into the game's own queue (tests/e2e/main_screen_drive.cpp).
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/run_command.h"
#include "support/scratch_folder.h"

namespace fs = std::filesystem;

// Guards against a game that does not reach a playable main screen from
// the splash, whose clicks, keys and buttons do not act on the map and the
// screens over it, or that does not quit cleanly by its exit button.
TEST(MainScreenIntegration, SplashToPlayedMapToExit) {
  testing_support::ScratchFolder folder;
  fs::path game = folder.Path() / "game";
  fs::copy(TERVANE_GAME_DIR, game, fs::copy_options::recursive | fs::copy_options::copy_symlinks);
  fs::copy_file(TERVANE_MAIN_DRIVE, game / "tervane-main-drive");
  testing_support::CommandRun run = testing_support::RunCommand(
      "cd / && SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy timeout 60 '" + (game / "tervane-main-drive").string() +
      "' 2>&1");
  EXPECT_EQ(run.status, 0) << run.output;
  EXPECT_EQ(run.output.find("FAIL"), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("ok the time on help was not counted"), std::string::npos) << run.output;
  EXPECT_FALSE(fs::exists(game / "Error.rep"));
  EXPECT_TRUE(fs::exists(game / "islands" / "islands.cur"));
  for (const char* shot : {"shot-main.bmp", "shot-marked.bmp", "shot-message.bmp", "shot-help.bmp"}) {
    EXPECT_EQ(fs::exists(game / shot) ? fs::file_size(game / shot) : 0u, 54u + 800u * 600u * 3u) << shot;
  }
}
