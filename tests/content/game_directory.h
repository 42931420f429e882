// Tests of the built program directory: they run inside build/game/ and read
// every file through the game's own readers, as the game will.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "platform/files.h"
#include "shell/mode.h"
#include "support/program_directory.h"
#include "support/test_display.h"

namespace content_test {

class GameDirectoryTest : public testing::Test {
 protected:
  void SetUp() override { testing_support::OpenTestDisplay(); }

 private:
  testing_support::InProgramDirectory programDirectory_;
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
