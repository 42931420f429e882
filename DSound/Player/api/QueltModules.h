// Exported module loading and playing, and play lists.
#pragma once

#include "QueltExport.h"

// Modules. The file is read from the given byte offset on.
QUELT_API int QueltLoadModule(char* fileName, unsigned long offset);
QUELT_API bool QueltUnloadModule(int module);
QUELT_API bool QueltPlayModule(int module);
QUELT_API bool QueltPlayModule(int module, bool loop);
QUELT_API bool QueltStopModule();

// Play lists: modules played one after the other. The array stays the
// caller's and must stay valid while the list plays.
QUELT_API bool QueltStartPlayList(int* list, int count, bool loop);
QUELT_API void QueltStopPlayList();
