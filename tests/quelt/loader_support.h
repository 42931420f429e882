// What the loader tests share: loading builder output from memory and
// reading one cell back out of a loaded pattern.
#pragma once

#include <cstdint>
#include <vector>

#include "model/Cmodule.h"
#include "loaders/ModuleLoaders.h"
#include "model/Cpattern.h"
#include "model/ModuleEffects.h"

inline bool Load(ModuleSlot& module, const std::vector<uint8_t>& bytes) {
  return LoadModuleFromMemory(module, bytes.data(), bytes.size());
}

// The cell of a channel in a row of a pattern; empty when the row has none.
inline PatternCell CellAt(ModuleSlot& module, int pattern, uint32_t row, int channel) {
  PackedPattern& packed = module.patterns.at(pattern);
  StartDecoding(packed);
  SkipRows(packed, row);
  DecodedRow decoded;
  DecodeRow(packed, decoded);
  for (int i = 0; i < decoded.count; ++i)
    if (decoded.entries[i].channel == channel) return decoded.entries[i].cell;
  return PatternCell();
}
