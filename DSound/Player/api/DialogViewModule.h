// The settings dialog's view module: a separate shared module (the GTK view)
// that the library loads the first time the dialog is asked for, so that
// neither the library nor its clients load a toolkit until then.
#pragma once

#include <string>

#include "api/SettingsDialogView.h"

// The module's file name, and where it is looked for: the file named by
// the environment variable, else "quelt/<name>" beside the file that holds
// the library's code (the library, or a program linking it statically), else
// the installed module folder as seen from an installed program, else the
// folder the library installs it in.
constexpr const char* kDialogViewModuleName = "quelt-dialog-gtk.so";
constexpr const char* kDialogViewModuleVariable = "QUELT_DIALOG_MODULE";

struct DialogViewModule {
  quelt_dialog::RunFunction run = nullptr;
  quelt_dialog::CloseFunction close = nullptr;
};

// The loaded module (loaded on the first call), or nullptr with the reason
// in error when no usable module is found.
const DialogViewModule* LoadDialogViewModule(std::string& error);

// Ends a shown settings dialog as its Cancel button does, from any thread;
// nothing when none is shown. For programs that stop while it is open.
void CloseSettingsDialog();
