// The new-record screen, shown over the main screen after a win that earns a
// place in the best scores: the time and the place, and a name box. Enter,
// Esc or the button enters the result under the typed name and shows the
// best scores with the new entry highlighted. The box keeps the name typed
// last for the next record.
#pragma once

#include <string>

#include "screens/windowed_mode.h"

class tnewrecmode : public tWindowedMode {
 public:
  void ButtonPressed(int index) override;
  void DrawBackground() override;
  void Load() override;

  std::string line1;  // "You complete this map for N seconds"
  std::string line2;  // "and have got the P place"
};

extern tnewrecmode NewRecordScreen;

constexpr int kPlayerNameLength = 16;
