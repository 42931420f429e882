// The exported settings dialog.
#pragma once

#include "QueltExport.h"

// The settings dialog, owned by the given window.
QUELT_API bool QueltSettingsDialog(HWND parent);
