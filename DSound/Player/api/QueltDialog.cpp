// The settings dialog's export. The dialog itself (its view and the logic
// behind its controls) is not part of the library yet: the function exists
// with its signature so that clients bind to it, shows nothing and returns
// false.
#include "api/QueltDialog.h"

#include "base/Error.h"

QUELT_API bool QueltSettingsDialog(HWND /*parent*/) {
  SetLastFailure("the settings dialog is not available in this build");
  return false;
}
