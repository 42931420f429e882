#include "tools/packer/packwriter.h"

#include <cstring>
#include <stdexcept>

#include "graphics/packs/checksum.h"
#include "tools/packer/deltaencode.h"
#include "tools/packer/lzwencode.h"

std::vector<uint8_t> EncodeEntryData(const PackInput& input) {
  const uint8_t* data = input.data.data();
  size_t size = input.data.size();
  if (input.method == kMethodStored) return input.data;
  if (input.method == kMethodLzw) return LzwEncode(data, size);
  if (IsDeltaMethod(input.method)) {
    return DeltaEncode(data, size, DeltaBitsOfMethod(input.method), MethodKeepsWaveHeader(input.method));
  }
  throw std::invalid_argument("unknown storage method " + std::to_string(input.method));
}

std::vector<uint8_t> BuildPack(const std::vector<PackInput>& inputs, const PackOptions& options) {
  if (inputs.size() > kPackMaxEntries) throw std::invalid_argument("a pack holds at most 128 entries");
  size_t directoryEnd = sizeof(PackHeader) + sizeof(PackDirectoryEntry) * inputs.size();
  std::vector<uint8_t> pack(directoryEnd, 0);
  std::vector<PackDirectoryEntry> directory(inputs.size());
  for (size_t i = 0; i < inputs.size(); ++i) {
    const PackInput& input = inputs[i];
    PackDirectoryEntry& entry = directory[i];
    entry = {};
    if (!SetEntryName(entry, input.name)) throw std::invalid_argument("entry name too long: " + input.name);
    std::vector<uint8_t> stored = EncodeEntryData(input);
    entry.offset = static_cast<uint32_t>(pack.size());
    entry.storedSize = static_cast<uint32_t>(stored.size());
    entry.unpackedSize = static_cast<uint32_t>(input.data.size());
    entry.storedChecksum = PackChecksum(stored.data(), stored.size());
    entry.unpackedChecksum = PackChecksum(input.data.data(), input.data.size());
    entry.attribute = input.attribute;
    entry.method = input.method;
    if (options.scrambled) ScrambleBytes(stored.data(), stored.size(), options.key);
    pack.insert(pack.end(), stored.begin(), stored.end());
  }
  PackHeader header{};
  header.magic[0] = kPackMagic0;
  header.magic[1] = kPackMagic1;
  std::memcpy(header.unused, "TERVANE", 8);
  header.count = static_cast<uint8_t>(inputs.size());
  header.scrambled = options.scrambled ? 1 : 0;
  header.fileSize = static_cast<uint32_t>(pack.size());
  std::memcpy(pack.data(), &header, sizeof header);
  if (!directory.empty()) {
    std::memcpy(pack.data() + sizeof header, directory.data(), sizeof(PackDirectoryEntry) * directory.size());
  }
  return pack;
}
