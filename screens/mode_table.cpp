#include "screens/mode_table.h"

ScreenModes ScreenModeTable() {
  // Each screen's mode object takes its role here as the screen is built;
  // until then the role stays empty and the splash passes over it.
  return ScreenModes{
      .message = nullptr,
      .newRecord = nullptr,
      .finish = nullptr,
      .help = nullptr,
      .options = nullptr,
      .failure = nullptr,
      .scores = nullptr,
      .mapSelection = nullptr,
      .main = nullptr,
  };
}
