#include "game/rle.h"

#include <algorithm>
#include <cstring>

int32_t UnpackRle(const uint8_t* packed, size_t packedLength, uint8_t* destination,
                  size_t capacity) {
  size_t produced = 0;
  size_t position = 0;
  while (position < packedLength) {
    uint8_t code = packed[position];
    if (code < kRleFirstRunCode) {
      if (produced < capacity) destination[produced] = code;
      ++produced;
      ++position;
      continue;
    }
    if (position + 1 >= packedLength) return kRleTruncated;
    size_t copies = code - (kRleFirstRunCode - 1);
    if (produced < capacity) {
      std::memset(destination + produced, packed[position + 1],
                  std::min(copies, capacity - produced));
    }
    produced += copies;
    position += 2;
  }
  // A stream can describe at most 78 bytes per input byte; keep the count
  // representable for absurdly long inputs.
  return static_cast<int32_t>(std::min<size_t>(produced, INT32_MAX));
}

std::vector<uint8_t> PackRle(const uint8_t* data, size_t length) {
  std::vector<uint8_t> packed;
  size_t position = 0;
  while (position < length) {
    uint8_t value = data[position];
    size_t run = 1;
    while (position + run < length && run < kRleLongestRun && data[position + run] == value) ++run;
    if (value < kRleFirstRunCode && run < 3) {
      packed.insert(packed.end(), run, value);
    } else {
      packed.push_back(static_cast<uint8_t>(run + kRleFirstRunCode - 1));
      packed.push_back(value);
    }
    position += run;
  }
  return packed;
}
