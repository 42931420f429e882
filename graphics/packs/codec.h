// Turning one entry's stored bytes into its contents: unscrambling, the
// stored checksum, the method's decoder and the unpacked checksum. The game's
// reader and the pack builder both use it.
#pragma once

#include <cstdint>
#include <vector>

#include "graphics/packs/format.h"
#include "graphics/packs/lzwdecode.h"

enum class PackDecodeStatus {
  kOk,
  kUnknownMethod,             // refused before anything is decoded
  kStoredChecksumMismatch,    // the stored bytes are damaged (or the key is wrong)
  kUnpackFailed,              // the decoder refused the data or the sizes disagree
  kUnpackedChecksumMismatch,  // methods below 10: the decoded bytes are wrong
};

// `stored` holds the entry's stored bytes and is unscrambled in place when
// `scrambled`. On success `output` holds unpackedSize + 4 bytes, the decoded
// bytes followed by four zero bytes.
PackDecodeStatus DecodePackEntry(const PackDirectoryEntry& entry, std::vector<uint8_t>& stored, bool scrambled,
                                 uint16_t key, std::vector<uint8_t>& output, LzwDictionary& dictionary);
