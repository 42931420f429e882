#include "screens/mode_table.h"

#include "screens/fail_mode.h"
#include "screens/finish_mode.h"
#include "screens/help_mode.h"
#include "screens/main_mode.h"
#include "screens/message_mode.h"
#include "screens/new_record_mode.h"
#include "screens/options_mode.h"
#include "screens/scores_mode.h"
#include "screens/select_map_mode.h"

ScreenModes ScreenModeTable() {
  // Each screen's mode object takes its role here as the screen is built;
  // until then the role stays empty and the splash passes over it.
  return ScreenModes{
      .message = &MessageScreen,
      .newRecord = &NewRecordScreen,
      .finish = &FinishScreen,
      .help = &HelpScreen,
      .options = &OptionsScreen,
      .failure = &FailureScreen,
      .scores = &ScoresScreen,
      .mapSelection = &MapSelectionScreen,
      .main = &MainMode,
  };
}
