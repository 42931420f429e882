// Fuzzes the resource pack reader with its decoders. The first byte chooses:
// bit 0 makes every entry's stored checksum right (so that fuzzed data
// reaches the decoders), bit 1 opens with the image key, bit 2 also runs the
// LZW and delta decoders straight on the rest of the input.
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "graphics/packs/checksum.h"
#include "graphics/packs/deltadecode.h"
#include "graphics/packs/lzwdecode.h"
#include "graphics/packs/reader.h"

namespace {

struct Aborted : std::runtime_error {
  using std::runtime_error::runtime_error;
};
void ThrowAborted(const std::string& message) { throw Aborted(message); }

void FixStoredChecksums(std::vector<uint8_t>& pack, uint16_t key) {
  if (pack.size() < sizeof(PackHeader)) return;
  PackHeader header;
  std::memcpy(&header, pack.data(), sizeof header);
  for (int i = 0; i < header.count && i < kPackMaxEntries; ++i) {
    size_t at = sizeof(PackHeader) + sizeof(PackDirectoryEntry) * i;
    if (at + sizeof(PackDirectoryEntry) > pack.size()) return;
    PackDirectoryEntry entry;
    std::memcpy(&entry, pack.data() + at, sizeof entry);
    if (static_cast<uint64_t>(entry.offset) + entry.storedSize > pack.size()) continue;
    std::vector<uint8_t> stored(pack.begin() + entry.offset, pack.begin() + entry.offset + entry.storedSize);
    if (header.scrambled != 0) ScrambleBytes(stored.data(), stored.size(), key);
    entry.storedChecksum = PackChecksum(stored.data(), stored.size());
    std::memcpy(pack.data() + at, &entry, sizeof entry);
  }
}

void DecodeDirectly(const uint8_t* data, size_t size) {
  static LzwDictionary dictionary;
  std::vector<uint8_t> out(size * 8 + 64);
  LzwDecode(data, size, out.data(), out.size(), dictionary);
  for (int bits : {4, 6, 8}) {
    DeltaDecode(data, size, out.data(), std::min(out.size(), size * 4 + 2), bits, true);
    DeltaDecode(data, size, out.data(), std::min(out.size(), size * 2), bits, false);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static bool prepared = false;
  if (!prepared) {
    std::filesystem::path folder = std::filesystem::temp_directory_path() / ("fuzz_pack_" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    std::filesystem::current_path(folder);
    SetPackAbortHandler(ThrowAborted);
    std::fclose(stdout);  // "Error1 " messages would flood the log
    prepared = true;
  }
  if (size < 1) return 0;
  uint8_t mode = data[0];
  std::vector<uint8_t> pack(data + 1, data + size);
  uint16_t key = (mode & 2) ? kImagePackKey : 0;
  if (mode & 1) FixStoredChecksums(pack, key);
  if (mode & 4) DecodeDirectly(pack.data(), pack.size());
  {
    std::ofstream out("p.dat", std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(pack.data()), static_cast<std::streamsize>(pack.size()));
  }
  if (!OpenPack("p", key)) return 0;
  std::string name = pack.size() > 20 ? std::string(reinterpret_cast<const char*>(pack.data() + 16), 4) : "x";
  FindEntry(name);
  for (int index = 0; index <= PackEntryCount() + 1; ++index) {
    EntryAttribute(index, 0);
    std::vector<uint8_t> out;
    try {
      uint32_t unpacked = ExtractEntry(index, out);
      if (unpacked != 0 && out.size() != static_cast<size_t>(unpacked) + 4) __builtin_trap();
    } catch (const Aborted&) {
    }
  }
  ClosePack();
  return 0;
}
