#include "game_directory.h"

#include <algorithm>

#include "shell/buttons_file.h"

namespace content_test {

std::vector<tbutton> ReadScreenButtons(const std::string& folder) {
  std::vector<tbutton> buttons;
  std::string name = folder + "\\buttons.inf";
  if (!platform::FileExists(name)) return buttons;
  platform::TextNumberReader reader;
  reader.Open(name);
  int count = ReadButtonCount(reader);
  for (int n = 1; n <= count; ++n) {
    tbutton button;
    button.colourKeyed = ReadButtonLine(reader, button);
    buttons.push_back(button);
  }
  return buttons;
}

std::pair<int, int> ReadWindowSize(const std::string& folder) {
  platform::TextNumberReader reader;
  reader.Open(folder + "\\size.inf");
  int width = reader.ReadInteger();
  int height = reader.ReadInteger();
  return {width, height};
}

Box WindowOnScreen(const std::string& folder) {
  auto [width, height] = ReadWindowSize(folder);
  int x = (800 - width) / 2;
  int y = std::max(0, (600 - height) / 2 - 50);
  if (folder == "Message") {
    x -= 40;
    y -= 15;
  }
  return {x, y, width, height};
}

}  // namespace content_test
