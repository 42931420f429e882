// Screens are modes: one object per class, created at start-up and kept for
// the whole run, kept on a stack (shell/mode_stack.h) whose top receives
// input and idle frames.
#pragma once

#include <cstdint>
#include <string>

#include "graphics/display.h"
#include "graphics/transition.h"

struct tbutton {
  SurfaceRef hoverImage;
  SurfaceRef defaultImage;  // none: the background image shows the button
  SurfaceRef pressedImage;
  int32_t X = 0;
  int32_t Y = 0;
  int32_t Width = 0;
  int32_t Height = 0;
  int32_t hotKey = 0;
  bool enabled = false;
  bool colourKeyed = false;
  bool handCursor = false;
};

struct TextField {
  bool EnterAccepts = false;
  int32_t X = 0;
  int32_t Y = 0;
  int32_t Width = 0;
  int32_t Height = 0;
  uint32_t colour = 0;
  std::string faceName;
  std::string text;
  int32_t maximumLength = 255;
};

constexpr int kMaxButtons = 32;
constexpr int kMaxTextFields = 32;

class tmode {
 public:
  tmode() { Create(); }
  virtual ~tmode() = default;

  // The virtual operations, in slot order.
  virtual void MouseDown(int button, int x, int y);
  virtual void MouseUp(int button, int x, int y);
  virtual void MouseMove(int x, int y);
  virtual void KeyDown(int key);
  virtual void ButtonPressed(int index);
  virtual void Idle();
  virtual void Enter();
  virtual void DrawBackground();
  virtual void Draw();
  virtual void Load();
  virtual void ReleaseImages();
  virtual void DrawButtonFace(const SurfaceRef& image, Surface& target, int index);
  virtual void Redraw(bool full);
  virtual void Show();
  virtual void Create();

  // Hit tests; 0 when nothing is under the point.
  int ButtonAt(int x, int y) const;
  int TextFieldAt(int x, int y) const;

  int32_t X = 0;
  int32_t Y = 0;
  int32_t Width = 800;
  int32_t Height = 600;
  std::string ModeName;
  bool loaded = false;
  SurfaceRef backgroundImage;
  tbutton buttons[kMaxButtons + 1];       // used from index 1
  TextField textFields[kMaxTextFields + 1];  // used from index 1
  int32_t buttonCount = 0;
  int32_t hotButton = 0;
  int32_t textFieldCount = 0;
  int32_t focusedField = 0;
  bool edited = false;

 protected:
  void LoadButtons();
  void DrawTextField(int index);
  void FocusNextField();
};

// The pointer position last passed to MouseMove.
extern int32_t ModePointerX;
extern int32_t ModePointerY;

// What a transition is told of a mode: its name and area (nothing for none).
TransitionScreen TransitionScreenOf(const tmode* mode);
