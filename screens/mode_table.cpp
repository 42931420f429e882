#include "screens/mode_table.h"

ScreenModes ScreenModeTable() {
  // Each screen's mode object takes its role here as the screen is built;
  // until then the role stays empty and the splash passes over it.
  ScreenModes modes;
  modes.message = nullptr;
  modes.newRecord = nullptr;
  modes.finish = nullptr;
  modes.help = nullptr;
  modes.options = nullptr;
  modes.failure = nullptr;
  modes.scores = nullptr;
  modes.mapSelection = nullptr;
  modes.main = nullptr;
  return modes;
}
