// A view module for tests: it "shows" the dialog without a display, chooses
// 22050 in the frequency list and presses OK, and leaves the owner window it
// was given in the environment variable FAKE_VIEW_OWNER.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "api/SettingsDialog.h"
#include "fake_dialog_controls.h"

#define ENTRY extern "C" __attribute__((visibility("default")))

ENTRY int QueltDialogViewVersion() { return quelt_dialog::kViewInterfaceVersion; }

ENTRY int QueltDialogViewRun(const quelt_dialog::DialogTemplate* dialog, quelt_dialog::DialogProcedure* procedure,
                             unsigned long ownerWindow, char*, size_t) {
  setenv("FAKE_VIEW_OWNER", std::to_string(ownerWindow).c_str(), 1);
  FakeDialogControls controls(*procedure);
  controls.Open();
  if (dialog->controlCount == 0 || controls.caption.empty()) return 0;
  controls.Choose(quelt_dialog::kIdFrequency, "22050");
  controls.Press(quelt_dialog::kIdOk);
  return controls.result;
}

ENTRY void QueltDialogViewClose() {}
