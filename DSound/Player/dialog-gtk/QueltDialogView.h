// The view module's entry points (see api/SettingsDialogView.h): the
// library finds them by name with dlsym.
#pragma once

#include <cstddef>

#include "api/SettingsDialogView.h"

#define QUELT_VIEW_ENTRY extern "C" __attribute__((visibility("default")))

QUELT_VIEW_ENTRY int QueltDialogViewVersion();
QUELT_VIEW_ENTRY int QueltDialogViewRun(const quelt_dialog::DialogTemplate* dialog,
                                        quelt_dialog::DialogProcedure* procedure, unsigned long ownerWindow,
                                        char* error, size_t errorSize);
QUELT_VIEW_ENTRY void QueltDialogViewClose();
