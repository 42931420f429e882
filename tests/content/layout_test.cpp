#include <string>
#include <vector>

#include "game_directory.h"
#include "graphics/font.h"
#include "graphics/text.h"

namespace content_test {
namespace {

Box BoxOf(const tbutton& button, int originX = 0, int originY = 0) {
  return {originX + button.X, originY + button.Y, button.Width, button.Height};
}

bool Overlap(const Box& a, const Box& b) {
  return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
}

class LayoutTest : public GameDirectoryTest {
 protected:
  void SetUp() override {
    GameDirectoryTest::SetUp();
    UnloadAllFonts();
    for (const char* name : {"Fonts\\font16.fnt", "Fonts\\font20p.fnt", "Fonts\\digits16.fnt",
                             "Fonts\\game20.fnt", "Fonts\\font14p.fnt"}) {
      LoadFont(name, 0);
    }
    LetterSpacing = 1;
  }
  void TearDown() override {
    UnloadAllFonts();
    GameDirectoryTest::TearDown();
  }

  // The screen box a text takes, drawn with a font from x (or centred on x).
  Box TextBox(int font, const std::string& text, int x, int y, bool centred) {
    SelectFont(font);
    int width = TextWidth(text);
    int left = centred ? x - width / 2 : x;
    return {left, y, width + 2, CurrentFontData()->Height()};
  }

  // Expects the texts inside the window and clear of its buttons.
  void ExpectTextsInWindow(const std::string& screen, const std::vector<Box>& texts) {
    Box window = WindowOnScreen(screen);
    std::vector<tbutton> buttons = ReadScreenButtons(screen);
    for (const Box& text : texts) {
      EXPECT_TRUE(window.Contains(text)) << screen << " text at " << text.x << "," << text.y;
      for (const tbutton& button : buttons) {
        EXPECT_FALSE(Overlap(text, BoxOf(button, window.x, window.y)))
            << screen << " text at " << text.x << "," << text.y;
      }
    }
  }
};

// Guards against a layout file the game's reader cannot parse or that has
// not the buttons the screen's code expects.
TEST_F(LayoutTest, EveryButtonsFileParsesWithTheExpectedButtons) {
  const std::vector<std::pair<std::string, size_t>> counts = {
      {"Main", 8}, {"Options", 7}, {"SelectMap", 5}, {"Message", 2}, {"NewRecord", 1},
      {"Finish", 2}, {"Fail", 2}, {"Scores", 2}, {"Help", 1}};
  for (const auto& [screen, count] : counts) {
    EXPECT_EQ(ReadScreenButtons(screen).size(), count) << screen;
  }
  // The main screen's events 5 and 7 have no action: their rectangle is
  // empty, so no point can ever hit them.
  std::vector<tbutton> main = ReadScreenButtons("Main");
  for (int unused : {5, 7}) {
    EXPECT_EQ(main[unused - 1].Width, 0);
    EXPECT_EQ(main[unused - 1].Height, 0);
  }
  // The message box's second button only carries Esc: no point hits it.
  const tbutton escape = ReadScreenButtons("Message")[1];
  EXPECT_EQ(escape.Width * escape.Height, 0);
  EXPECT_EQ(escape.hotKey, 27);
}

// Guards against buttons that stick out of their screen or window, or that
// cover each other (the options pairs share one place on purpose).
TEST_F(LayoutTest, ButtonsLieInsideTheirScreenWithoutOverlapping) {
  for (const auto& [screen, pictures] : ScreenPictures()) {
    std::vector<tbutton> buttons = ReadScreenButtons(screen);
    Box area{0, 0, 800, 600};
    for (const std::string& windowed : WindowedScreens()) {
      if (windowed == screen) {
        auto [width, height] = ReadWindowSize(screen);
        area = {0, 0, width, height};
      }
    }
    for (size_t i = 0; i < buttons.size(); ++i) {
      if (buttons[i].Width == 0) continue;
      EXPECT_TRUE(area.Contains(BoxOf(buttons[i]))) << screen << " button " << i + 1;
      for (size_t j = i + 1; j < buttons.size(); ++j) {
        bool pair = screen == "Options" && i % 2 == 0 && j == i + 1 && i < 6;
        if (pair) {
          EXPECT_EQ(BoxOf(buttons[i]).x, BoxOf(buttons[j]).x) << "pair " << i + 1;
          EXPECT_EQ(BoxOf(buttons[i]).y, BoxOf(buttons[j]).y) << "pair " << i + 1;
        } else {
          EXPECT_FALSE(Overlap(BoxOf(buttons[i]), BoxOf(buttons[j])))
              << screen << " buttons " << i + 1 << " and " << j + 1;
        }
      }
    }
  }
}

// Guards against a main screen whose menu lies over the island picture
// (510 x 510 centred near (350, 294)), the counters or the status line.
TEST_F(LayoutTest, MainMenuKeepsClearOfIslandCountersAndStatus) {
  std::vector<tbutton> buttons = ReadScreenButtons("Main");
  Box island{350 - 255, 294 - 255, 510, 510};
  Box counters{656, 421, 144, 65};
  Box status{140, 554, 400, 40};
  for (size_t i = 0; i < buttons.size(); ++i) {
    if (buttons[i].Width == 0) continue;
    EXPECT_FALSE(Overlap(BoxOf(buttons[i]), island)) << i + 1;
    EXPECT_FALSE(Overlap(BoxOf(buttons[i]), counters)) << i + 1;
    EXPECT_FALSE(Overlap(BoxOf(buttons[i]), status)) << i + 1;
  }
  // The menu column runs from button 1 down to button 6.
  EXPECT_EQ(buttons[0].X, buttons[5].X);
  EXPECT_LT(buttons[0].Y, buttons[5].Y);
  // The counter values are drawn centred at (765, 429) and (765, 463).
  EXPECT_TRUE((Box{0, 0, 800, 600}.Contains(TextBox(1, "9999", 765, 463, true))));
}

// Guards against window texts that the game would write outside its window
// or over its buttons.
TEST_F(LayoutTest, WindowTextsFallInsideTheirWindows) {
  ExpectTextsInWindow("Message", {TextBox(4, "WHOLE ISLAND IS EXPLORED", 361, 205, true),
                                  TextBox(4, "GAMEMODE=127", 361, 188, true),
                                  TextBox(4, "NO ANY VARIANTS", 361, 220, true)});
  ExpectTextsInWindow("NewRecord",
                      {TextBox(2, "You complete this map for 9999 seconds", 401, 202, true),
                       TextBox(2, "and have got the 10 place", 401, 228, true),
                       TextBox(2, "Enter your name:", 233, 265, false), Box{410, 262, 170, 29}});
  ExpectTextsInWindow("Finish", {TextBox(2, "You complete this map", 401, 213, true),
                                 TextBox(2, "for 9999 seconds", 401, 248, true)});
  // The name label ends before the name box begins.
  Box label = TextBox(2, "Enter your name:", 233, 265, false);
  EXPECT_LE(label.x + label.width, 410);
}

// Guards against the best-scores buttons covering the table the game writes
// (header at y 140, rows at y 180 ... 450, names from 275, times on 490).
TEST_F(LayoutTest, ScoresButtonsKeepClearOfTheTable) {
  Box table{245, 25, 300, 470 - 25};
  for (int row = 1; row <= 10; ++row) {
    Box name = TextBox(2, "Quillon Surveyor", 275, 150 + 30 * row, false);
    EXPECT_LE(name.x + name.width, 490 - TextBox(2, "9999", 490, 0, true).width / 2 - 2);
  }
  EXPECT_TRUE((Box{0, 0, 800, 600}.Contains(TextBox(2, "Small  square  map (normal)", 400, 25, true))));
  for (const tbutton& button : ReadScreenButtons("Scores")) {
    EXPECT_FALSE(Overlap(BoxOf(button), table));
  }
}

}  // namespace
}  // namespace content_test
