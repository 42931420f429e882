// The exported settings dialog: its logic runs in the library, its view in a
// module loaded on the first call.
#include "api/QueltDialog.h"

#include <cstdio>
#include <string>

#include "api/DialogViewModule.h"
#include "api/SettingsDialog.h"
#include "base/Error.h"
#include "output/NativeWindow.h"

namespace {

// The dialog cannot be shown: one line for the person who asked for it.
bool Unavailable(const std::string& reason) {
  std::fprintf(stderr, "quelt: the settings dialog cannot be shown: %s\n", reason.c_str());
  SetLastFailure("the settings dialog cannot be shown");
  return false;
}

}  // namespace

QUELT_API bool QueltSettingsDialog(HWND parent) {
  std::string error;
  const DialogViewModule* module = LoadDialogViewModule(error);
  if (module == nullptr) return Unavailable(error);
  quelt_dialog::SettingsDialogLogic logic;
  char reason[256] = "";
  const int result =
      module->run(&quelt_dialog::SettingsDialogTemplate(), &logic, NativeWindowOf(parent), reason, sizeof reason);
  if (result < 0) return Unavailable(reason);
  return true;
}
