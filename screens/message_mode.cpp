#include "screens/message_mode.h"

#include <algorithm>

#include "graphics/pixelops.h"
#include "graphics/text.h"
#include "graphics/textsurface.h"
#include "shell/mode_stack.h"

tMesMode MessageScreen;

namespace {

constexpr int kMessageFont = 4;
constexpr int kTextCentreX = 361;
constexpr int kSingleLineY = 205;
constexpr int kFirstLineY = 188;
constexpr int kSecondLineY = 220;

std::string Capitals(std::string_view text) {
  std::string upper(text);
  std::transform(upper.begin(), upper.end(), upper.begin(),
                 [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; });
  return upper;
}

void DrawMessageLine(int y, std::string_view line) {
  DrawTextOnSurface(*BackgroundBuffer, kTextCentreX, y, true, Capitals(line), kMessageFont);
}

}  // namespace

void tMesMode::Load() {
  ModeName = "Message";
  tWindowedMode::Load();
  X -= 40;
  Y -= 15;
}

void tMesMode::DrawBackground() {
  tWindowedMode::DrawBackground();
  TextColour1 = textColour;
  TextColour2 = shadeColour;
  if (line2.empty()) {
    DrawMessageLine(kSingleLineY, line1);
  } else {
    DrawMessageLine(kFirstLineY, line1);
    DrawMessageLine(kSecondLineY, line2);
  }
}

void tMesMode::ButtonPressed(int) { PopMode(); }

void ShowMessage(std::string_view line1, std::string_view line2, TextRgb text, TextRgb shade) {
  MessageScreen.textColour = PackColour(text.red, text.green, text.blue);
  MessageScreen.shadeColour = PackColour(shade.red, shade.green, shade.blue);
  MessageScreen.line1 = line1;
  MessageScreen.line2 = line2;
  PushMode(&MessageScreen);
}
