#include "graphics/packs/checksum.h"

uint16_t PackChecksum(const uint8_t* data, size_t length) {
  uint32_t sum = 0;
  for (size_t j = 0; j < length; ++j) {
    sum += data[j] ^ static_cast<uint8_t>(length - j);
  }
  return static_cast<uint16_t>(sum);
}

void ScrambleBytes(uint8_t* data, size_t length, uint16_t key) {
  uint16_t state = key;
  for (size_t j = 0; j < length; ++j) {
    state = static_cast<uint16_t>(state * 19u);
    data[j] ^= static_cast<uint8_t>(state & 0xFF) ^ static_cast<uint8_t>(state >> 8);
  }
}
