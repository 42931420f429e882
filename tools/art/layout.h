// The hand-written layouts the pictures are painted to fit: a screen's
// "buttons.inf" (count, then per button X Y Width Height hot-key keyed and,
// after the six numbers where the game skips it, the button's label) and a
// windowed screen's "size.inf" (width and height).
#pragma once

#include <string>
#include <vector>

#include "tools/art/canvas.h"

namespace art {

struct ButtonSpec {
  Rect rect;
  int hotKey = 0;
  bool keyed = false;
  std::string label;
};

// Ends the tool with a message when the file is missing or malformed.
std::vector<ButtonSpec> ReadButtons(const std::string& path);
// Width and height of the window.
std::pair<int, int> ReadWindowSize(const std::string& path);

}  // namespace art
