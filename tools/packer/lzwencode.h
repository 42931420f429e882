// LZW encoding for packs, keeping every promise the game's decoder relies
// on: a 256 to widen before any code that would not fit, a 256 at 12 bits to
// reset before the decoder's dictionary would pass 4095, the first code of
// every segment a single byte, and no string longer than 65 bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

std::vector<uint8_t> LzwEncode(const uint8_t* data, size_t size);
