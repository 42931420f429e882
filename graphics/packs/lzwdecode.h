// LZW decoding of pack entries (method 1). Codes are 9 to 12 bits wide,
// packed least significant bit first; 0..255 are bytes, 256 widens the code
// (or, at 12 bits, resets the dictionary), 257 ends the data and 258 up are
// dictionary strings of at most 65 bytes.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

constexpr int kLzwClearCode = 256;   // widen, or reset at the widest width
constexpr int kLzwEndCode = 257;
constexpr int kLzwFirstFreeCode = 258;
constexpr int kLzwMinWidth = 9;
constexpr int kLzwMaxWidth = 12;
constexpr int kLzwMaxCode = 4095;
constexpr int kLzwMaxString = 65;
constexpr int kLzwDictionarySize = 4100;

struct LzwDictionaryEntry {
  uint8_t lastByte;
  uint8_t firstByte;
  int16_t prefix;  // -1 for single bytes
};
using LzwDictionary = std::array<LzwDictionaryEntry, kLzwDictionarySize>;

struct LzwResult {
  size_t written = 0;  // bytes written to the output
  bool ok = false;     // false: malformed data (nothing outside the buffers was touched)
};

// Decodes `input` into `output`, which has room for `capacity` bytes. A code
// above the next free code that is not exactly the next one prints "Error1 "
// on standard output and decoding goes on, as the format allows. Refused as
// malformed: data that ends before the end code, output that would not fit,
// a string longer than 65 bytes, a control code where data must stand, and
// a dictionary that would overflow.
LzwResult LzwDecode(const uint8_t* input, size_t inputSize, uint8_t* output, size_t capacity,
                    LzwDictionary& dictionary);
