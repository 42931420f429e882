// The message box: one or two lines of text in capitals in a framed window,
// until one of its buttons or Esc closes it and the screen that showed it
// comes back.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "screens/windowed_mode.h"

class tMesMode : public tWindowedMode {
 public:
  void ButtonPressed(int index) override;
  void DrawBackground() override;
  void Load() override;

  uint32_t textColour = 0;   // display pixel values
  uint32_t shadeColour = 0;
  std::string line1;
  std::string line2;  // empty: a one-line message
};

extern tMesMode MessageScreen;

// A colour as 8-bit red, green and blue.
struct TextRgb {
  int red = 0;
  int green = 0;
  int blue = 0;
};

// Gives the message box its lines (line2 empty for one line) and colours,
// converted to the display's format, and pushes it over the current screen.
void ShowMessage(std::string_view line1, std::string_view line2, TextRgb text, TextRgb shade);
