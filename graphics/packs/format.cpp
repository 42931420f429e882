#include "graphics/packs/format.h"

#include <algorithm>
#include <cstring>

#include "graphics/packs/lzwdecode.h"

bool IsKnownPackMethod(uint8_t method) {
  switch (method) {
    case kMethodStored:
    case kMethodLzw:
    case kMethodDelta4:
    case kMethodDelta6:
    case kMethodDelta8:
    case kMethodWaveDelta4:
    case kMethodWaveDelta6:
    case kMethodWaveDelta8:
      return true;
    default:
      return false;
  }
}

bool IsDeltaMethod(uint8_t method) { return IsKnownPackMethod(method) && method >= kMethodDelta4; }

int DeltaBitsOfMethod(uint8_t method) { return method >= 30 ? method - 30 : method - 20; }

bool MethodKeepsWaveHeader(uint8_t method) { return method >= kMethodWaveDelta4; }

uint64_t MaxUnpackedSize(uint8_t method, uint32_t storedSize) {
  uint64_t stored = storedSize;
  if (method == kMethodStored) return stored;
  if (method == kMethodLzw) {
    // Every code takes at least 9 bits and stands for at most the longest string.
    return (stored * 8 / 9 + 1) * kLzwMaxString;
  }
  // A plain header, then one 16-bit sample per code, and an odd last byte.
  int bits = DeltaBitsOfMethod(method);
  return stored + 2 * (stored * 8 / static_cast<uint64_t>(bits) + 1) + 1;
}

std::string EntryName(const PackDirectoryEntry& entry) {
  size_t length = std::min<size_t>(entry.nameLength, kPackEntryNameMax);
  return std::string(entry.name, length);
}

bool SetEntryName(PackDirectoryEntry& entry, const std::string& name) {
  if (name.size() > kPackEntryNameMax) return false;
  std::memset(entry.name, 0, sizeof entry.name);
  std::memcpy(entry.name, name.data(), name.size());
  entry.nameLength = static_cast<uint8_t>(name.size());
  return true;
}
