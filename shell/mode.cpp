#include "shell/mode.h"

#include <algorithm>

#include "graphics/font.h"
#include "graphics/image.h"
#include "graphics/pixelops.h"
#include "graphics/text.h"
#include "graphics/transition.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "shell/buttons_file.h"
#include "shell/game_sound.h"
#include "shell/mainloop.h"
#include "shell/mode_stack.h"

int32_t ModePointerX = 0;
int32_t ModePointerY = 0;

TransitionScreen TransitionScreenOf(const tmode* mode) {
  if (mode == nullptr) return TransitionScreen{};
  return TransitionScreen{mode->ModeName, ScreenArea{mode->X, mode->Y, mode->Width, mode->Height}};
}

// ---- hit tests -------------------------------------------------------------

int tmode::ButtonAt(int x, int y) const {
  for (int i = 1; i <= std::min(buttonCount, kMaxButtons); ++i) {
    const tbutton& b = buttons[i];
    if (b.enabled && X + b.X <= x && x <= X + b.X + b.Width - 1 && Y + b.Y <= y && y <= Y + b.Y + b.Height - 1) {
      return i;
    }
  }
  return 0;
}

int tmode::TextFieldAt(int x, int y) const {
  for (int i = 1; i <= std::min(textFieldCount, kMaxTextFields); ++i) {
    const TextField& f = textFields[i];
    if (f.X <= x && x <= f.X + f.Width - 1 && f.Y <= y && y <= f.Y + f.Height - 1) return i;
  }
  return 0;
}

// ---- mouse -------------------------------------------------------------------

void tmode::MouseDown(int button, int x, int y) {
  if (button == 2) return;
  int hit = ButtonAt(x, y);
  if (int field = TextFieldAt(x, y)) focusedField = field;
  if (hit == 0) return;
  Sound().PlaySoundEvent(kSoundButtonPressed);
  Draw();
  DrawButtonFace(buttons[hit].pressedImage, *BackBuffer, hit);
  FlipScreen();
}

void tmode::MouseUp(int button, int x, int y) {
  if (button == 2) return;
  int hit = ButtonAt(x, y);
  if (int field = TextFieldAt(x, y)) focusedField = field;
  if (hit == 0) return;
  Draw();
  DrawButtonFace(buttons[hit].hoverImage, *BackBuffer, hit);
  FlipScreen();
  ButtonPressed(hit);
}

void tmode::MouseMove(int x, int y) {
  ModePointerX = x;
  ModePointerY = y;
  int hit = ButtonAt(x, y);
  if (hit == hotButton) return;
  hotButton = hit;
  Draw();
  if (hit != 0) {
    DrawButtonFace(LeftButtonHeld ? buttons[hit].pressedImage : buttons[hit].hoverImage, *BackBuffer, hit);
  }
  FlipScreen();
}

// ---- keys --------------------------------------------------------------------

namespace {

bool ShiftHeld() { return platform::GetKeyState(platform::VK_SHIFT) < 0; }
bool CapsLockOn() { return (platform::GetKeyState(platform::VK_CAPITAL) & 1) != 0; }
bool NumLockOn() { return (platform::GetKeyState(platform::VK_NUMLOCK) & 1) != 0; }

}  // namespace

void tmode::FocusNextField() { focusedField = focusedField >= textFieldCount ? 1 : focusedField + 1; }

void tmode::KeyDown(int key) {
  for (int i = 1; i <= std::min(buttonCount, kMaxButtons); ++i) {
    if (buttons[i].enabled && buttons[i].hotKey != 0 && buttons[i].hotKey == key) {
      ButtonPressed(i);
      return;
    }
  }
  if (textFieldCount <= 0) return;
  if (focusedField < 1 || focusedField > std::min(textFieldCount, kMaxTextFields)) focusedField = 1;
  TextField& field = textFields[focusedField];
  std::string& text = field.text;
  if (key == platform::VK_BACK) {
    if (!edited) {
      text.clear();
    } else if (!text.empty()) {
      text.pop_back();
    }
  } else if (key == platform::VK_TAB) {
    FocusNextField();
  } else if (key == platform::VK_RETURN) {
    if (field.EnterAccepts) {
      ButtonPressed(0);
      return;
    }
    FocusNextField();
  } else if (key == platform::VK_ESCAPE) {
    ButtonPressed(0);
    return;
  } else if (key == platform::VK_SPACE) {
    text += ' ';
  } else if (key >= '0' && key <= '9') {
    text += static_cast<char>(key);
  } else if (key >= 'A' && key <= 'Z') {
    bool upper = ShiftHeld() != CapsLockOn();
    text += static_cast<char>(upper ? key : key - 'A' + 'a');
  } else if (key >= platform::VK_NUMPAD0 && key <= platform::VK_NUMPAD0 + 9) {
    if (NumLockOn()) text += static_cast<char>('0' + key - platform::VK_NUMPAD0);
  }
  // The field that now has the focus is the one cut (Tab and Enter move it).
  TextField& focused = textFields[focusedField];
  if (focused.maximumLength >= 0 && focused.text.size() > static_cast<size_t>(focused.maximumLength)) {
    focused.text.resize(static_cast<size_t>(focused.maximumLength));
  }
  edited = true;
  Redraw(true);
}

void tmode::ButtonPressed(int) {}

void tmode::Idle() {
  // Text fields are drawn again on idle passes, at most once a frame: more
  // often shows nothing new and would keep the loop from ever waiting.
  static uint32_t lastRedraw = 0;
  if (textFieldCount <= 0) return;
  uint32_t now = platform::GetTickCount();
  if (now - lastRedraw < 1000 / kIdleFramesPerSecond) return;
  lastRedraw = now;
  Redraw(true);
}

// ---- drawing -----------------------------------------------------------------

void tmode::DrawBackground() {
  if (backgroundImage != nullptr) CopySurface(*BackgroundBuffer, 0, 0, *backgroundImage, kCopyWait);
}

void tmode::DrawButtonFace(const SurfaceRef& image, Surface& target, int index) {
  if (index < 1 || index > kMaxButtons || image == nullptr || !buttons[index].enabled) return;
  const tbutton& b = buttons[index];
  CopySurface(target, X + b.X, Y + b.Y, *image, b.colourKeyed ? kCopyKeyed : kCopyWait);
}

void tmode::DrawTextField(int index) {
  const TextField& field = textFields[index];
  FillRect(*BackBuffer, platform::Rect{field.X, field.Y, field.X + field.Width - 1, field.Y + field.Height - 1}, 0);
  DrawColour = platform::RGB(150, 150, 150);
  DrawOutlineRect(*BackBuffer, field.X + 1, field.Y + 1, field.Height - 2, field.Width - 2);
  DrawColour = platform::RGB(100, 100, 100);
  DrawOutlineRect(*BackBuffer, field.X, field.Y, field.Height, field.Width);
  DrawColour = field.colour;
  FaceName = field.faceName.substr(0, 15);  // the face name holds 15 characters
  std::string text = field.text;
  if (index == focusedField) text += "_";
  TextClip = TextClipRect{field.X + 2, field.Y + 2, field.X + field.Width - 1, field.Y + field.Height - 1};
  SelectFont(1);
  TextColour1 = PackColour(220, 220, 220);
  TextColour2 = PackColour(60, 60, 60);
  uint16_t* pixels = nullptr;
  int pitch = 0;
  if (BackBuffer->Lock(pixels, pitch) == platform::DD_OK) {
    SetTextTarget(pixels, BackBuffer->Width(), BackBuffer->Height(), 2, pitch);
    int width = TextWidth(text);
    int x = width < field.Width - 6 ? field.X + 3 : field.X + field.Width - width - 4;
    DrawString(x, field.Y + 7, text);
    BackBuffer->Unlock();
  }
  TextClip = TextClipRect{};
}

void tmode::Draw() {
  CopySurface(*BackBuffer, 0, 0, *BackgroundBuffer, kCopyWait);
  for (int i = 1; i <= std::min(buttonCount, kMaxButtons); ++i) {
    if (buttons[i].defaultImage != nullptr) DrawButtonFace(buttons[i].defaultImage, *BackBuffer, i);
  }
  for (int i = 1; i <= std::min(textFieldCount, kMaxTextFields); ++i) DrawTextField(i);
}

void tmode::Redraw(bool full) {
  if (full) DrawBackground();
  Draw();
  if (full) hotButton = ButtonAt(ModePointerX, ModePointerY);
  if (hotButton != 0) {
    const tbutton& b = buttons[hotButton];
    DrawButtonFace(LeftButtonHeld ? b.pressedImage : b.hoverImage, *BackBuffer, hotButton);
  }
  FlipScreen();
}

void tmode::Show() {
  UseNewScreenAsBackBuffer();
  DrawBackground();
  Draw();
  UseRealBackBuffer();
  CopySurface(*OldScreenBuffer, 0, 0, *PrimarySurface, kCopyWait);
  ChooseTransition(TransitionScreenOf(PreviousMode), TransitionScreenOf(this));
}

// ---- life cycle ----------------------------------------------------------------

void tmode::Enter() {
  LeftButtonHeld = false;
  RightButtonHeld = false;
  LeftDownSeen = false;
  if (!loaded) Load();
  DrawColour = 0;
  hotButton = 0;
  edited = false;
  if (textFieldCount > 0) focusedField = 1;
  Show();
}

void tmode::Load() {
  if (DeactivatedDuringStartup == 1) RestoreLostSurfaces();
  loaded = true;
  backgroundImage = LoadImage(ModeName + "\\Image");
  textFieldCount = 0;
  focusedField = 0;
  LoadButtons();
}

void tmode::LoadButtons() {
  std::string fileName = ModeName + "\\buttons.inf";
  if (!platform::FileExists(fileName)) return;
  platform::TextNumberReader reader;
  reader.Open(fileName);
  buttonCount = ReadButtonCount(reader);
  for (int n = 1; n <= buttonCount; ++n) {
    tbutton& b = buttons[n];
    std::string number = std::to_string(n);
    b.hoverImage = LoadImage(ModeName + "\\but" + number);
    bool transparent = ReadButtonLine(reader, b);
    b.enabled = true;
    b.defaultImage = ImageExists(ModeName + "\\defbut" + number) ? LoadImage(ModeName + "\\defbut" + number) : nullptr;
    b.pressedImage = ImageExists(ModeName + "\\prbut" + number) ? LoadImage(ModeName + "\\prbut" + number)
                                                                  : b.hoverImage;
    b.colourKeyed = transparent;
    if (transparent) {
      for (Surface* image : {b.hoverImage.get(), b.defaultImage.get(), b.pressedImage.get()}) {
        if (image != nullptr) image->SetColorKey(0, 0);
      }
    }
    b.handCursor = false;
  }
}

void tmode::ReleaseImages() {
  backgroundImage.reset();
  for (int i = 1; i <= kMaxButtons; ++i) buttons[i].hoverImage.reset();
}

void tmode::Create() {
  X = 0;
  Y = 0;
  Width = 800;
  Height = 600;
  hotButton = 0;
  buttonCount = 0;
  loaded = false;
}
