// Delta decoding of 16-bit sound samples (methods 24..28 and 34..38): one
// 4-, 6- or 8-bit code per sample selects a difference from a table, and the
// running sum is the sample.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

struct DeltaParameters {
  int lowestIndex;  // the table runs from lowestIndex to -lowestIndex - 1
  int factor;
  int divisor;
};
DeltaParameters DeltaParametersFor(int bits);

// The differences D(lowestIndex) .. D(-lowestIndex - 1) for 4, 6 or 8 bits:
// 4 i^3 / divisor (truncated toward zero) + factor i. Code c selects entry c.
std::span<const int32_t> DeltaTable(int bits);

// Decodes `input` into `unpackedSize` bytes of `output`. With keepsWaveHeader
// and a first byte "R", everything up to and including the 4 bytes after the
// first "data" is copied unchanged first. Returns false for data that cannot
// be decoded within its bounds: no "data" chunk behind an "R", a header
// longer than the entry, or fewer stored bytes than the samples need.
bool DeltaDecode(const uint8_t* input, size_t inputSize, uint8_t* output, size_t unpackedSize, int bits,
                 bool keepsWaveHeader);
