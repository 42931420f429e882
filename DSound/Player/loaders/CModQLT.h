// QLT, the library's own module format: a direct serialisation of the module
// model (records field by field, patterns in the packed row format, keymaps
// run-length coded), little-endian and unaligned.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "model/Cmodule.h"

// Version number written into QLT files (readers ignore it).
constexpr uint16_t kQltVersion = 1;

// False at once when the bytes do not start with "QLTM"; false too for a
// broken file.
bool LoadModuleQLT(ModuleSlot& module, std::span<const uint8_t> file);

// Serialises a loaded module. Loading the result gives the same model.
std::vector<uint8_t> WriteModuleQLT(const ModuleSlot& module);
