// Tests of the built program directory: they run inside build/game/ and read
// every file through the game's own readers, as the game will.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/files.h"
#include "support/test_display.h"

namespace content_test {

struct RuntimeFailure : std::runtime_error {
  using std::runtime_error::runtime_error;
};

inline void ThrowRuntimeFailure(int code, const std::string& message) {
  throw RuntimeFailure("runtime error " + std::to_string(code) + ": " + message);
}

class GameDirectoryTest : public testing::Test {
 protected:
  void SetUp() override {
    char previous[4096];
    ASSERT_NE(getcwd(previous, sizeof previous), nullptr);
    previous_ = previous;
    ASSERT_EQ(chdir(TERVANE_GAME_DIR), 0) << "no program directory at " << TERVANE_GAME_DIR;
    testing_support::OpenTestDisplay();
    platform::SetRuntimeErrorHandler(ThrowRuntimeFailure);
  }
  void TearDown() override {
    platform::SetRuntimeErrorHandler(nullptr);
    ASSERT_EQ(chdir(previous_.c_str()), 0);
  }

 private:
  std::string previous_;
};

// The screen folders with a pack, and the pictures each screen asks for
// besides its background and its buttons' pictures.
inline const std::map<std::string, std::vector<std::string>>& ScreenPictures() {
  static const std::map<std::string, std::vector<std::string>> pictures = {
      {"Init", {"Image", "loading", "press1", "press2"}},
      {"Main",
       {"Image", "Fog", "Normal", "Cursed", "Sign", "Digit0", "Digit1", "Digit2", "Digit3",
        "Digit4", "Digit5", "Digit6", "Digit7", "Digit8"}},
      {"Message", {"Image"}},
      {"Options", {"Image"}},
      {"SelectMap", {"Image", "mask"}},
      {"NewRecord", {"Image"}},
      {"Finish", {"Image"}},
      {"Fail", {"Image"}},
      {"Scores", {"Image"}},
      {"Help", {"Image"}},
      {"Mouse", {"cursor"}},
  };
  return pictures;
}

// The windowed screens, which read a "size.inf".
inline const std::vector<std::string>& WindowedScreens() {
  static const std::vector<std::string> screens = {"Message", "Options", "SelectMap",
                                                   "NewRecord", "Finish", "Fail"};
  return screens;
}

struct Box {
  int x, y, width, height;
  bool Contains(const Box& inner) const {
    return inner.x >= x && inner.y >= y && inner.x + inner.width <= x + width &&
           inner.y + inner.height <= y + height;
  }
};

// The buttons of a screen as the game reads them (count, then positions).
std::vector<tbutton> ReadScreenButtons(const std::string& folder);
// The window size from "size.inf", read as the game reads it.
std::pair<int, int> ReadWindowSize(const std::string& folder);
// Where the game puts a window on the screen: centred, 50 pixels above the
// middle (never above the top), the message box 40 left and 15 up from there.
Box WindowOnScreen(const std::string& folder);

}  // namespace content_test
