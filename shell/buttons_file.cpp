#include "shell/buttons_file.h"

#include <algorithm>

int ReadButtonCount(platform::TextNumberReader& reader) {
  int count = reader.ReadInteger();
  reader.SkipRestOfLine();
  return std::clamp(count, 0, kMaxButtons);
}

bool ReadButtonLine(platform::TextNumberReader& reader, tbutton& button) {
  button.X = reader.ReadInteger();
  button.Y = reader.ReadInteger();
  button.Width = reader.ReadInteger();
  button.Height = reader.ReadInteger();
  button.hotKey = reader.ReadInteger();
  bool transparent = reader.ReadInteger() != 0;
  reader.SkipRestOfLine();
  return transparent;
}
