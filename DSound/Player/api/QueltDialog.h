// The exported settings dialog.
#pragma once

#include "QueltExport.h"

// Shows the modal settings dialog (output format, volumes, buffer length,
// stereo separation, interpolation, cooperative level), owned by the given
// window when one is given, and returns true when it closes. Where it cannot
// be shown (no display, no view module) it returns false at once and says why
// on standard error.
QUELT_API bool QueltSettingsDialog(HWND parent);
