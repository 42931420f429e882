// Delta encoding of 16-bit little-endian samples for packs (methods 24..28
// and 34..38): sample by sample, the code whose difference keeps the running
// sum closest to the signal.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Encodes `data` for a delta method. With keepsWaveHeader and data starting
// with "R", the bytes up to and including the chunk size after the first
// "data" are stored plain in front (the decoder copies them back); data
// starting with "R" but without a "data" chunk is refused (invalid_argument).
// An odd last byte is not stored: the decoder leaves it zero.
std::vector<uint8_t> DeltaEncode(const uint8_t* data, size_t size, int bits, bool keepsWaveHeader);
