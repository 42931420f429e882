// The seam between the settings dialog's logic (in the library) and its view
// (a separate module, loaded on first use, that shows the controls). The
// library describes the dialog as a template of controls placed in dialog
// units and answers the view's events; the view creates the controls, reports
// what the user does and carries out what the logic asks of the controls.
//
// Only this header is shared: the view module does not link the library.
#pragma once

#include <cstddef>

namespace quelt_dialog {

// Bumped whenever anything below changes, so that a view module built from
// other sources is refused instead of misread.
constexpr int kViewInterfaceVersion = 1;

// What a control is and how it looks.
enum class ControlKind {
  DefaultButton,       // push button that Enter presses
  Button,              // push button
  GroupBox,            // frame with a title around other controls
  CheckBox,            // check box that toggles itself
  DropDownList,        // list of entries shown on demand; one or none selected
  HorizontalTrackbar,  // slider, ticks along its top
  VerticalTrackbar,    // slider, no ticks; the lowest position at the top
  Label,               // text, left-aligned
  ValueLabel,          // text, right-aligned and centred vertically
};

constexpr int kNoControlId = -1;  // controls the logic never addresses

// The command a view reports when the window is closed or Escape pressed.
constexpr int kCancelCommand = 2;

struct ControlTemplate {
  int id;
  ControlKind kind;
  const char* text;
  int x, y, width, height;  // dialog units
  bool initiallyDisabled;
};

// A dialog of controls, laid out in dialog units: a horizontal unit is a
// quarter of the dialog font's average character width, a vertical unit an
// eighth of its height.
struct DialogTemplate {
  int pointSize;      // of the dialog font
  int width, height;  // dialog units
  const ControlTemplate* controls;
  int controlCount;
};

// The controls of a shown dialog, as the logic works on them. Setting a value
// never reports back as a user's action.
class DialogControls {
 public:
  virtual void SetCaption(const char* text) = 0;
  virtual void SetText(int control, const char* text) = 0;
  virtual void SetChecked(int control, bool checked) = 0;
  virtual bool Checked(int control) = 0;
  // Replaces the list's entries; nothing is selected afterwards.
  virtual void SetEntries(int control, const char* const* entries, int count) = 0;
  virtual void Select(int control, int index) = 0;  // -1: no selection
  virtual int Selection(int control) = 0;          // -1: no selection
  virtual void SetRange(int control, int low, int high) = 0;
  virtual void SetPosition(int control, int position) = 0;
  virtual int Position(int control) = 0;
  virtual void Enable(int control, bool enabled) = 0;
  // Closes the dialog once the current event is handled; the view's run
  // returns this result.
  virtual void End(int result) = 0;

 protected:
  ~DialogControls() = default;
};

// The logic, as the view reports the user's actions to it.
class DialogProcedure {
 public:
  // The controls exist; fill them.
  virtual void Initialise(DialogControls& controls) = 0;
  // A button was pressed, a check box toggled or a list's selection changed.
  // Closing the window or pressing Escape is kCancelCommand; Enter presses
  // the default button.
  virtual void Command(DialogControls& controls, int control) = 0;
  // A horizontal or a vertical trackbar moved.
  virtual void HorizontalScroll(DialogControls& controls) = 0;
  virtual void VerticalScroll(DialogControls& controls) = 0;

 protected:
  ~DialogProcedure() = default;
};

// The module's entry points, looked up by these names.
//
// Version: returns the kViewInterfaceVersion the module was built with.
// Run: shows the dialog modally, owned by the native (X11) window ownerWindow
//   when it is not 0, and returns the result given to End, or -1 when it
//   cannot be shown (the reason, one line, written into error).
// Close: from any thread, ends a shown dialog as its Cancel button does; does
//   nothing when none is shown.
constexpr const char* kVersionSymbol = "QueltDialogViewVersion";
constexpr const char* kRunSymbol = "QueltDialogViewRun";
constexpr const char* kCloseSymbol = "QueltDialogViewClose";
using VersionFunction = int (*)();
using RunFunction = int (*)(const DialogTemplate* dialog, DialogProcedure* procedure, unsigned long ownerWindow,
                            char* error, size_t errorSize);
using CloseFunction = void (*)();

}  // namespace quelt_dialog
