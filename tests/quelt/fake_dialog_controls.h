// Dialog controls without a display: they keep what the logic sets, and a
// test acts as the user on them (selects, checks, moves, presses), which is
// reported to the procedure as a real view would.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "api/SettingsDialogView.h"

class FakeDialogControls final : public quelt_dialog::DialogControls {
 public:
  struct Trackbar {
    int low = 0;
    int high = 0;
    int position = 0;
  };

  explicit FakeDialogControls(quelt_dialog::DialogProcedure& procedure) : procedure_(procedure) {}

  // The user's actions.
  void Open() { procedure_.Initialise(*this); }
  void Press(int control) { procedure_.Command(*this, control); }
  void Toggle(int control) {
    checked[control] = !checked[control];
    procedure_.Command(*this, control);
  }
  // Selects the entry with this text (or none for an unknown text).
  void Choose(int control, const std::string& text) {
    selection[control] = -1;
    for (size_t i = 0; i < entries[control].size(); ++i) {
      if (entries[control][i] == text) selection[control] = static_cast<int>(i);
    }
    procedure_.Command(*this, control);
  }
  void Move(int control, int position, bool horizontal) {
    trackbars[control].position = position;
    if (horizontal) {
      procedure_.HorizontalScroll(*this);
    } else {
      procedure_.VerticalScroll(*this);
    }
  }
  std::string SelectedText(int control) {
    const int index = Selection(control);
    return index < 0 ? "" : entries[control][static_cast<size_t>(index)];
  }

  void SetCaption(const char* text) override { caption = text; }
  void SetText(int control, const char* text) override { texts[control] = text; }
  void SetChecked(int control, bool value) override { checked[control] = value; }
  bool Checked(int control) override { return checked[control]; }
  void SetEntries(int control, const char* const* list, int count) override {
    entries[control].assign(list, list + count);
    selection[control] = -1;
  }
  void Select(int control, int index) override {
    selection[control] = index >= 0 && index < static_cast<int>(entries[control].size()) ? index : -1;
  }
  int Selection(int control) override { return selection.count(control) ? selection[control] : -1; }
  void SetRange(int control, int low, int high) override {
    trackbars[control].low = low;
    trackbars[control].high = high;
  }
  void SetPosition(int control, int position) override { trackbars[control].position = position; }
  int Position(int control) override { return trackbars[control].position; }
  void Enable(int control, bool value) override { enabled[control] = value; }
  void End(int value) override { result = value; }

  std::string caption;
  std::map<int, std::string> texts;
  std::map<int, bool> checked;
  std::map<int, std::vector<std::string>> entries;
  std::map<int, int> selection;
  std::map<int, Trackbar> trackbars;
  std::map<int, bool> enabled;
  int result = 0;  // 0 while open

 private:
  quelt_dialog::DialogProcedure& procedure_;
};
