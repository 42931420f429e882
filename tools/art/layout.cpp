#include "tools/art/layout.h"

#include <fstream>
#include <sstream>

#include "tools/common/output_file.h"

namespace art {

namespace {

std::string Trimmed(const std::string& text) {
  size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos) return "";
  size_t last = text.find_last_not_of(" \t\r");
  return text.substr(first, last - first + 1);
}

}  // namespace

std::vector<ButtonSpec> ReadButtons(const std::string& path) {
  std::ifstream file(path);
  if (!file) toolkit::Fail("cannot read " + path);
  std::string line;
  int count = -1;
  if (std::getline(file, line)) std::istringstream(line) >> count;
  if (count < 0 || count > 32) toolkit::Fail(path + ": bad button count");
  std::vector<ButtonSpec> buttons;
  while (static_cast<int>(buttons.size()) < count && std::getline(file, line)) {
    std::istringstream fields(line);
    ButtonSpec button;
    int keyed = 0;
    if (!(fields >> button.rect.x >> button.rect.y >> button.rect.width >> button.rect.height >>
          button.hotKey >> keyed)) {
      toolkit::Fail(path + ": bad line '" + line + "'");
    }
    button.keyed = keyed != 0;
    std::string rest;
    std::getline(fields, rest);
    button.label = Trimmed(rest);
    buttons.push_back(button);
  }
  if (static_cast<int>(buttons.size()) != count) toolkit::Fail(path + ": too few buttons");
  return buttons;
}

std::pair<int, int> ReadWindowSize(const std::string& path) {
  std::ifstream file(path);
  int width = 0, height = 0;
  if (!(file >> width >> height) || width <= 0 || height <= 0 || width > 800 || height > 600) {
    toolkit::Fail("cannot read a window size from " + path);
  }
  return {width, height};
}

}  // namespace art
