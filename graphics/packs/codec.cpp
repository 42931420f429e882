#include "graphics/packs/codec.h"

#include <algorithm>

#include "graphics/packs/checksum.h"
#include "graphics/packs/deltadecode.h"

namespace {

bool DecodeMethod(const PackDirectoryEntry& entry, const std::vector<uint8_t>& stored,
                  std::vector<uint8_t>& output, LzwDictionary& dictionary) {
  size_t unpacked = entry.unpackedSize;
  if (entry.method == kMethodStored) {
    if (stored.size() != unpacked) return false;
    std::copy(stored.begin(), stored.end(), output.begin());
    return true;
  }
  if (entry.method == kMethodLzw) {
    LzwResult result = LzwDecode(stored.data(), stored.size(), output.data(), output.size(), dictionary);
    return result.ok && result.written == unpacked;
  }
  return DeltaDecode(stored.data(), stored.size(), output.data(), unpacked, DeltaBitsOfMethod(entry.method),
                     MethodKeepsWaveHeader(entry.method));
}

}  // namespace

PackDecodeStatus DecodePackEntry(const PackDirectoryEntry& entry, std::vector<uint8_t>& stored, bool scrambled,
                                 uint16_t key, std::vector<uint8_t>& output, LzwDictionary& dictionary) {
  if (!IsKnownPackMethod(entry.method)) return PackDecodeStatus::kUnknownMethod;
  if (scrambled) ScrambleBytes(stored.data(), stored.size(), key);
  if (PackChecksum(stored.data(), stored.size()) != entry.storedChecksum) {
    return PackDecodeStatus::kStoredChecksumMismatch;
  }
  if (entry.unpackedSize > MaxUnpackedSize(entry.method, entry.storedSize)) return PackDecodeStatus::kUnpackFailed;
  output.assign(static_cast<size_t>(entry.unpackedSize) + 4, 0);
  if (!DecodeMethod(entry, stored, output, dictionary)) return PackDecodeStatus::kUnpackFailed;
  if (entry.method < 10 && PackChecksum(output.data(), entry.unpackedSize) != entry.unpackedChecksum) {
    return PackDecodeStatus::kUnpackedChecksumMismatch;
  }
  return PackDecodeStatus::kOk;
}
