// The S3M loader: parapointers to instruments and patterns, channel
// settings and panning, unsigned sample data.
#pragma once

#include <cstdint>
#include <span>

#include "model/Cmodule.h"

// False at once when the bytes at 44 are not "SCRM"; false too for a broken
// file.
bool LoadModuleS3M(ModuleSlot& module, std::span<const uint8_t> file);

// The internal note of an S3M note byte (octave in the high nibble,
// semitone in the low one); 254 and 255 stay; notes outside octaves 0-7 and
// semitones 0-11 become 255 (none).
uint8_t NoteFromS3M(uint8_t noteByte);
