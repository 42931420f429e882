// The two byte-level guards of pack entries: the 16-bit checksum and the
// keyed scrambling (its own inverse).
#pragma once

#include <cstddef>
#include <cstdint>

// Sum modulo 65536 of b[j] XOR ((length - j) mod 256): the first byte is
// combined with the length, the last with 1.
uint16_t PackChecksum(const uint8_t* data, size_t length);

// XORs every byte with the low and high bytes of a state that starts at the
// key and is multiplied by 19 before each byte. Applying it twice with the
// same key restores the data; the key 0 changes nothing.
void ScrambleBytes(uint8_t* data, size_t length, uint16_t key);
