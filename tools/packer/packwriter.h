// Building resource packs: entries from bytes, each stored with its own
// method and attribute, optionally scrambled with a key, with both checksums.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "graphics/packs/format.h"

struct PackInput {
  std::string name;            // at most 13 characters
  std::vector<uint8_t> data;   // the unpacked bytes
  uint8_t method = kMethodLzw;
  uint8_t attribute = 0;
};

struct PackOptions {
  bool scrambled = false;
  uint16_t key = 0;
};

// Encodes one entry's data with its method (invalid_argument for a method the
// reader refuses, or data the method cannot hold).
std::vector<uint8_t> EncodeEntryData(const PackInput& input);

// The whole pack file. Throws invalid_argument for more than 128 entries, a
// name longer than 13 characters or an entry that cannot be encoded.
std::vector<uint8_t> BuildPack(const std::vector<PackInput>& inputs, const PackOptions& options);
