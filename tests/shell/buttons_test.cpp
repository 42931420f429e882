#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "platform/files.h"
#include "shell/buttons_file.h"
#include "support/test_display.h"

namespace {

// A mode whose buttons are set by hand and whose ButtonPressed is recorded.
struct ButtonMode : tmode {
  ButtonMode() {
    ModeName = "Buttons";
    loaded = true;
  }
  void ButtonPressed(int index) override { pressed.push_back(index); }
  std::vector<int> pressed;

  void AddButton(int x, int y, int width, int height, int hotKey = 0) {
    tbutton& b = buttons[++buttonCount];
    b.X = x;
    b.Y = y;
    b.Width = width;
    b.Height = height;
    b.hotKey = hotKey;
    b.enabled = true;
    b.hoverImage = b.pressedImage = CreateOffscreen(width, height);
  }
};

class ButtonsTest : public ::testing::Test {
 protected:
  void SetUp() override { testing_support::OpenTestDisplay(); }

  static void WriteFile(const std::string& name, const std::string& text) {
    std::ofstream(name, std::ios::binary) << text;
  }
};

// Guards against hit tests that miss the inclusive right and bottom edges,
// ignore the mode's origin, or let a higher index win an overlap.
TEST_F(ButtonsTest, HitTestEdgesOverlapsAndOrigin) {
  ButtonMode mode;
  mode.X = 100;
  mode.Y = 50;
  mode.AddButton(10, 10, 20, 10);  // screen 110..129 x 60..69
  mode.AddButton(15, 12, 20, 10);  // overlaps button 1
  EXPECT_EQ(mode.ButtonAt(110, 60), 1);
  EXPECT_EQ(mode.ButtonAt(129, 69), 1);
  EXPECT_EQ(mode.ButtonAt(130, 69), 2);  // only button 2 reaches x 130
  EXPECT_EQ(mode.ButtonAt(134, 71), 2);
  EXPECT_EQ(mode.ButtonAt(135, 71), 0);
  EXPECT_EQ(mode.ButtonAt(134, 72), 0);  // below button 2's last row 71
  EXPECT_EQ(mode.ButtonAt(109, 60), 0);
  mode.buttons[1].enabled = false;
  EXPECT_EQ(mode.ButtonAt(120, 65), 2);
  EXPECT_EQ(mode.ButtonAt(112, 61), 0);
}

// Guards against a release over a disabled button pressing it, and against
// a press (rather than the release) triggering the action.
TEST_F(ButtonsTest, ReleaseOverEnabledButtonPressesIt) {
  ButtonMode mode;
  mode.AddButton(0, 0, 50, 50);
  mode.AddButton(100, 0, 50, 50);
  mode.buttons[2].enabled = false;
  SwitchMode(&mode);
  mode.MouseDown(1, 10, 10);
  EXPECT_TRUE(mode.pressed.empty());
  mode.MouseUp(1, 10, 10);
  mode.MouseUp(1, 120, 10);
  mode.MouseUp(2, 10, 10);  // right releases never press buttons
  EXPECT_EQ(mode.pressed, (std::vector<int>{1}));
}

// Guards against button positions or flags read from the wrong columns, and
// against lines with extra text breaking the next line.
TEST_F(ButtonsTest, ReadsSixNumbersPerLineAndSkipsTheRest) {
  WriteFile("buttons_test.inf", "2 trailing words\r\n10 20 30 40 13 1 extra 99\r\n  5\t6 7 8\n0 0\n");
  platform::TextNumberReader reader;
  reader.Open("buttons_test.inf");
  ASSERT_EQ(ReadButtonCount(reader), 2);
  tbutton first, second;
  EXPECT_TRUE(ReadButtonLine(reader, first));
  EXPECT_FALSE(ReadButtonLine(reader, second));
  EXPECT_EQ(first.X, 10);
  EXPECT_EQ(first.Y, 20);
  EXPECT_EQ(first.Width, 30);
  EXPECT_EQ(first.Height, 40);
  EXPECT_EQ(first.hotKey, 13);
  EXPECT_EQ(second.X, 5);
  EXPECT_EQ(second.Height, 8);
  std::remove("buttons_test.inf");
}

// Guards against malformed layouts being accepted silently or read past
// their end, and against counts that would overflow the 32 buttons.
TEST_F(ButtonsTest, MalformedLayoutsRaiseTheInputOutputError) {
  platform::TextNumberReader reader;
  WriteFile("buttons_bad.inf", "1\n10 20 abc 40 0 0\n");
  reader.Open("buttons_bad.inf");
  ReadButtonCount(reader);
  tbutton button;
  testing_support::ProgramStop junk = testing_support::StopOf([&] { ReadButtonLine(reader, button); });
  EXPECT_EQ(junk.kind, testing_support::StopKind::kRuntimeError);
  EXPECT_EQ(junk.code, platform::kInvalidNumericFormat);
  WriteFile("buttons_bad.inf", "1\n10 20 30\n");
  reader.Open("buttons_bad.inf");
  ReadButtonCount(reader);
  testing_support::ProgramStop cut = testing_support::StopOf([&] { ReadButtonLine(reader, button); });
  EXPECT_EQ(cut.kind, testing_support::StopKind::kRuntimeError);
  EXPECT_EQ(cut.code, platform::kDiskReadError);
  WriteFile("buttons_bad.inf", "500\n");
  reader.Open("buttons_bad.inf");
  EXPECT_EQ(ReadButtonCount(reader), kMaxButtons);
  WriteFile("buttons_bad.inf", "-3\n");
  reader.Open("buttons_bad.inf");
  EXPECT_EQ(ReadButtonCount(reader), 0);
  std::remove("buttons_bad.inf");
}

// Guards against hover handling that redraws on every move or keeps a stale
// hot button.
TEST_F(ButtonsTest, MouseMoveTracksTheHotButton) {
  ButtonMode mode;
  mode.AddButton(0, 0, 50, 50);
  SwitchMode(&mode);
  uint64_t presents = platform::PresentCount();
  mode.MouseMove(10, 10);
  EXPECT_EQ(mode.hotButton, 1);
  uint64_t afterFirst = platform::PresentCount();
  EXPECT_GT(afterFirst, presents);
  mode.MouseMove(20, 20);  // same button: nothing to redraw
  EXPECT_EQ(platform::PresentCount(), afterFirst);
  mode.MouseMove(300, 300);
  EXPECT_EQ(mode.hotButton, 0);
}

}  // namespace
