// The RIFF WAVE reader for sample slots: PCM, mono, 8 or 16 bit.
#pragma once

#include <cstddef>
#include <cstdint>

#include "model/Cmodule.h"

// Reads a RIFF WAVE sound (PCM, mono, 8 or 16 bit) from the given byte offset
// of a file into a sample slot. False, with the slot free, when the file
// cannot be opened or is not such a sound.
bool LoadWaveFile(SampleSlot& slot, const char* fileName, unsigned long offset);
bool LoadWaveFromMemory(SampleSlot& slot, const uint8_t* bytes, size_t size);
