#include <gtest/gtest.h>

#include <chrono>

#include "support/test_display.h"

using platform::SetTestKeyState;

namespace {

// A mode with two text fields and one button whose hot key is set per test.
struct FieldMode : tmode {
  FieldMode() {
    ModeName = "Fields";
    loaded = true;
  }
  void Load() override { loaded = true; }
  void ButtonPressed(int index) override { pressed.push_back(index); }
  std::vector<int> pressed;

  void Setup(int fields, int hotKey) {
    buttonCount = 1;
    buttons[1] = tbutton{};
    buttons[1].Width = buttons[1].Height = 10;
    buttons[1].hotKey = hotKey;
    buttons[1].enabled = true;
    textFieldCount = fields;
    for (int i = 1; i <= fields; ++i) {
      textFields[i] = TextField{};
      textFields[i].X = 100;
      textFields[i].Y = 100 + 40 * i;
      textFields[i].Width = 170;
      textFields[i].Height = 29;
      textFields[i].maximumLength = 5;
    }
  }
};

class KeysTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing_support::OpenTestDisplay();
    platform::ClearTestKeyStates();
    SetTestKeyState(platform::VK_SHIFT, false, false);
    SetTestKeyState(platform::VK_CAPITAL, false, false);
    SetTestKeyState(platform::VK_NUMLOCK, false, false);
  }
  void TearDown() override { platform::ClearTestKeyStates(); }

  void Type(std::initializer_list<int> keys) {
    for (int key : keys) mode.KeyDown(key);
  }

  FieldMode mode;
};

// Guards against text fields seeing a key that a button claims as hot key.
TEST_F(KeysTest, HotKeysComeBeforeTextFields) {
  mode.Setup(1, platform::VK_ESCAPE);
  SwitchMode(&mode);
  Type({platform::VK_ESCAPE});
  EXPECT_EQ(mode.pressed, (std::vector<int>{1}));
  mode.buttons[1].enabled = false;  // a disabled button's key falls through
  Type({platform::VK_ESCAPE});
  EXPECT_EQ(mode.pressed, (std::vector<int>{1, 0}));
}

// Guards against Esc and Enter doing anything in a mode without fields.
TEST_F(KeysTest, EscAndEnterIgnoredWithoutFieldsOrHotKeys) {
  mode.Setup(0, 0);
  SwitchMode(&mode);
  Type({platform::VK_ESCAPE, platform::VK_RETURN, 'A'});
  EXPECT_TRUE(mode.pressed.empty());
}

// Guards against the preset text being kept on a first Backspace, or wiped
// by later ones.
TEST_F(KeysTest, FirstBackspaceClearsPresetTextLaterOnesRemoveOne) {
  mode.Setup(1, 0);
  SwitchMode(&mode);
  mode.textFields[1].text = "Anna";
  Type({platform::VK_BACK});
  EXPECT_EQ(mode.textFields[1].text, "");
  Type({'B', 'O', platform::VK_BACK});
  EXPECT_EQ(mode.textFields[1].text, "b");
  // Typing first appends to a preset text.
  SwitchMode(&mode);
  mode.textFields[1].text = "Ann";
  Type({'A'});
  EXPECT_EQ(mode.textFields[1].text, "Anna");
}

// Guards against letter case that ignores Caps Lock or treats Shift and Caps
// Lock together as upper case.
TEST_F(KeysTest, LetterCaseFollowsShiftXorCapsLock) {
  mode.Setup(1, 0);
  mode.textFields[1].maximumLength = 10;
  SwitchMode(&mode);
  Type({'A'});
  SetTestKeyState(platform::VK_SHIFT, true, false);
  Type({'B'});
  SetTestKeyState(platform::VK_CAPITAL, false, true);
  Type({'C'});
  SetTestKeyState(platform::VK_SHIFT, false, false);
  Type({'D'});
  EXPECT_EQ(mode.textFields[1].text, "aBcD");
}

// Guards against keypad digits typed without Num Lock, and other keys
// changing the text.
TEST_F(KeysTest, KeypadDigitsNeedNumLock) {
  mode.Setup(1, 0);
  mode.textFields[1].maximumLength = 10;
  SwitchMode(&mode);
  Type({platform::VK_NUMPAD0 + 7, '3', platform::VK_SPACE, platform::VK_F1});
  SetTestKeyState(platform::VK_NUMLOCK, false, true);
  Type({platform::VK_NUMPAD0 + 9});
  EXPECT_EQ(mode.textFields[1].text, "3 9");
}

// Guards against text growing beyond the field's maximum.
TEST_F(KeysTest, TextIsCutToMaximumAfterEveryKey) {
  mode.Setup(1, 0);
  SwitchMode(&mode);
  Type({'1', '2', '3', '4', '5', '6', '7'});
  EXPECT_EQ(mode.textFields[1].text, "12345");
}

// Guards against focus that does not wrap, and Enter that presses instead
// of moving on in a field without EnterAccepts.
TEST_F(KeysTest, TabAndEnterWrapFocusEnterAcceptsPresses) {
  mode.Setup(2, 0);
  SwitchMode(&mode);
  EXPECT_EQ(mode.focusedField, 1);
  Type({platform::VK_TAB});
  EXPECT_EQ(mode.focusedField, 2);
  Type({platform::VK_TAB});
  EXPECT_EQ(mode.focusedField, 1);
  Type({platform::VK_RETURN});
  EXPECT_EQ(mode.focusedField, 2);
  Type({platform::VK_RETURN});
  EXPECT_EQ(mode.focusedField, 1);
  EXPECT_TRUE(mode.pressed.empty());
  mode.textFields[1].EnterAccepts = true;
  Type({platform::VK_RETURN});
  EXPECT_EQ(mode.pressed, (std::vector<int>{0}));
  EXPECT_EQ(mode.focusedField, 1);
}

// Guards against clicks that miss the text field's box (fields use screen
// coordinates, not the mode's origin).
TEST_F(KeysTest, ClickFocusesTheFieldUnderThePointer) {
  mode.Setup(2, 0);
  mode.X = 50;
  SwitchMode(&mode);
  mode.MouseDown(1, 100, 180);  // field 2's top-left corner
  EXPECT_EQ(mode.focusedField, 2);
  mode.MouseUp(1, 269, 148);  // field 1's bottom-right corner
  EXPECT_EQ(mode.focusedField, 1);
}

// Guards against text fields painted outside their box or in the wrong
// colours.
TEST_F(KeysTest, TextFieldBoxIsFilledAndOutlined) {
  mode.Setup(1, 0);
  SwitchMode(&mode);
  ClearSurface(*BackBuffer);
  DrawColour = platform::RGB(255, 255, 255);
  ClearSurface(*BackgroundBuffer);
  DrawColour = 0;
  mode.Draw();
  const Surface& back = *BackBuffer;
  const TextField& f = mode.textFields[1];
  Pixel outer = PackColour(100, 100, 100), inner = PackColour(150, 150, 150);
  EXPECT_EQ(back.PixelAt(f.X, f.Y), outer);
  EXPECT_EQ(back.PixelAt(f.X + f.Width - 1, f.Y + f.Height - 1), outer);
  EXPECT_EQ(back.PixelAt(f.X + 1, f.Y + 1), inner);
  EXPECT_EQ(back.PixelAt(f.X + f.Width - 2, f.Y + f.Height - 2), inner);
  EXPECT_EQ(back.PixelAt(f.X + 5, f.Y + 5), 0);
  EXPECT_EQ(back.PixelAt(f.X + f.Width, f.Y + 5), 0xFFFF);  // the background beside it
}

// Guards against a screen with text fields holding a whole core: its idle
// passes still draw the fields again, but at most once a 60 Hz frame.
TEST_F(KeysTest, TextFieldsAreRedrawnOnIdleAtMostOnceAFrame) {
  mode.Setup(1, 0);
  SwitchMode(&mode);
  uint64_t shownBefore = platform::PresentCount();
  auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < 30; ++i) MainLoopStep();
  auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
  uint64_t shown = platform::PresentCount() - shownBefore;
  EXPECT_GE(shown, 1u);
  EXPECT_LE(shown, static_cast<uint64_t>(elapsed.count() / 16 + 2)) << "in " << elapsed.count() << " ms";
}

}  // namespace
