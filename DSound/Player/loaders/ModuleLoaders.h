// Loading a module of any format the library plays.
#pragma once

#include <cstddef>
#include <cstdint>

#include "model/Cmodule.h"

// Loads a module from the given byte offset of a file (so it may sit inside a
// larger archive). Refuses when the player uses the slot or the file cannot
// be opened; frees the slot's old module; tries the MOD, S3M, XM and QLT
// loaders in that order. False, with the slot empty, when none accepts.
bool LoadModuleFile(ModuleSlot& slot, const char* fileName, unsigned long offset);
// The same from bytes in memory (the file entry point reads the file and
// calls this).
bool LoadModuleFromMemory(ModuleSlot& slot, const uint8_t* bytes, size_t size);
