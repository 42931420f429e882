#include "screens/window_size.h"

#include <algorithm>

#include "platform/files.h"

WindowSize ReadWindowSize(std::string_view fileName) {
  platform::TextNumberReader reader;
  reader.Open(fileName);
  WindowSize size;
  size.width = std::clamp(reader.ReadInteger(), 0, kLargestWindowSide);
  size.height = std::clamp(reader.ReadInteger(), 0, kLargestWindowSide);
  reader.SkipRestOfLine();
  return size;
}
