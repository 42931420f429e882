#include "graphics/packs/reader.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "graphics/packs/codec.h"
#include "platform/files.h"

int32_t PackError = 0;

namespace {

struct ResourcePackState {
  platform::BinaryFile file;
  std::string name;
  PackHeader header{};
  std::array<PackDirectoryEntry, kPackMaxEntries> directory{};
  int64_t fileSize = 0;
  uint16_t key = 0;
  bool open = false;
};

ResourcePackState ResourcePack;
// Allocated once for the whole run, not per entry.
LzwDictionary LzwTable{};
PackAbortHandler AbortHandler = nullptr;

// The reader's texts are Russian, written in code page 866.
std::string ToCodePage866(std::string_view utf8) {
  std::string result;
  for (size_t i = 0; i < utf8.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(utf8[i]);
    if (c < 0x80 || i + 1 >= utf8.size()) {
      result += static_cast<char>(c);
      continue;
    }
    unsigned code = (c & 0x1Fu) << 6 | (static_cast<unsigned char>(utf8[++i]) & 0x3Fu);
    if (code >= 0x410 && code <= 0x43F) {
      result += static_cast<char>(0x80 + (code - 0x410));
    } else if (code >= 0x440 && code <= 0x44F) {
      result += static_cast<char>(0xE0 + (code - 0x440));
    } else if (code == 0x401) {
      result += static_cast<char>(0xF0);
    } else if (code == 0x451) {
      result += static_cast<char>(0xF1);
    } else {
      result += '?';
    }
  }
  return result;
}

std::string TwoLines(std::string_view first, std::string_view packName, std::string_view second, int index) {
  return ToCodePage866(first) + std::string(packName) + "\n" + ToCodePage866(second) + std::to_string(index) + "\n";
}

[[noreturn]] void EndOnDamagedEntry(const std::string& message) {
  if (AbortHandler != nullptr) {
    AbortHandler(message);
    std::abort();  // a handler must not return
  }
  std::fwrite(message.data(), 1, message.size(), stdout);
  std::fflush(stdout);
  std::_Exit(1);
}

std::string PackFileName(std::string_view name) {
  std::string result(name.substr(0, kPackNameMax));
  if (result.find('.') == std::string::npos) result = (result + ".dat").substr(0, kPackNameMax);
  return result;
}

bool ReadHeaderAndDirectory(ResourcePackState& pack) {
  pack.fileSize = pack.file.Size();
  if (pack.fileSize < static_cast<int64_t>(sizeof(PackHeader))) return false;
  pack.file.Seek(0);
  if (pack.file.ReadSome(&pack.header, sizeof pack.header) != sizeof pack.header) return false;
  const PackHeader& header = pack.header;
  if (header.magic[0] != kPackMagic0 || header.magic[1] != kPackMagic1) return false;
  if (header.fileSize != pack.fileSize || header.count > kPackMaxEntries) return false;
  size_t directoryBytes = sizeof(PackDirectoryEntry) * header.count;
  return pack.file.ReadSome(pack.directory.data(), directoryBytes) == directoryBytes;
}

// The stored bytes of an entry; false when they do not lie inside the file.
bool ReadStoredBytes(ResourcePackState& pack, const PackDirectoryEntry& entry, std::vector<uint8_t>& stored) {
  uint64_t end = static_cast<uint64_t>(entry.offset) + entry.storedSize;
  if (end > static_cast<uint64_t>(pack.fileSize)) return false;
  stored.resize(entry.storedSize);
  pack.file.Seek(entry.offset);
  return pack.file.ReadSome(stored.data(), stored.size()) == stored.size();
}

std::string UpperCase(std::string_view text) {
  std::string result(text);
  for (char& c : result) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return result;
}

}  // namespace

std::string PackReadFailureMessage(std::string_view packName, int index) {
  return TwoLines("Ошибка чтения файла данных: ", packName, "Неверный код или повреждена запись ", index);
}

std::string PackUnpackFailureMessage(std::string_view packName, int index) {
  return TwoLines("Ошибка в файле данных: ", packName, "Ошибка распаковки записи ", index);
}

void SetPackAbortHandler(PackAbortHandler handler) { AbortHandler = handler; }

bool OpenPack(std::string_view name, uint16_t key) {
  ResourcePackState& pack = ResourcePack;
  pack.open = false;
  pack.name = PackFileName(name);
  if (!pack.file.TryOpen(pack.name, platform::BinaryFile::Mode::kRead) || !ReadHeaderAndDirectory(pack)) {
    pack.file.Close();
    PackError = 1;
    return false;
  }
  pack.key = key;
  pack.open = true;
  return true;
}

bool PackIsOpen() { return ResourcePack.open; }

int PackEntryCount() { return ResourcePack.open ? ResourcePack.header.count : 0; }

const PackDirectoryEntry* PackEntry(int index) {
  if (index < 1 || index > PackEntryCount()) return nullptr;
  return &ResourcePack.directory[index - 1];
}

int FindEntry(std::string_view text) {
  if (!ResourcePack.open) return 0;
  std::string wanted = UpperCase(text);
  for (int i = 1; i <= ResourcePack.header.count; ++i) {
    if (UpperCase(EntryName(ResourcePack.directory[i - 1])).find(wanted) != std::string::npos) return i;
  }
  PackError = 2;
  return 0;
}

uint8_t EntryAttribute(int index, uint8_t defaultValue) {
  const PackDirectoryEntry* entry = PackEntry(index);
  return entry != nullptr ? entry->attribute : defaultValue;
}

uint32_t ExtractEntry(int index, std::vector<uint8_t>& out) {
  ResourcePackState& pack = ResourcePack;
  const PackDirectoryEntry* entry = PackEntry(index);
  if (entry == nullptr) return 0;
  if (!IsKnownPackMethod(entry->method)) {
    PackError = 1;
    return 0;
  }
  std::vector<uint8_t> stored;
  if (!ReadStoredBytes(pack, *entry, stored)) EndOnDamagedEntry(PackReadFailureMessage(pack.name, index));
  std::vector<uint8_t> decoded;
  PackDecodeStatus status =
      DecodePackEntry(*entry, stored, pack.header.scrambled != 0, pack.key, decoded, LzwTable);
  switch (status) {
    case PackDecodeStatus::kOk:
      break;
    case PackDecodeStatus::kUnknownMethod:
      PackError = 1;
      return 0;
    case PackDecodeStatus::kStoredChecksumMismatch:
      EndOnDamagedEntry(PackReadFailureMessage(pack.name, index));
    case PackDecodeStatus::kUnpackFailed:
    case PackDecodeStatus::kUnpackedChecksumMismatch:
      EndOnDamagedEntry(PackUnpackFailureMessage(pack.name, index));
  }
  out = std::move(decoded);
  return entry->unpackedSize;
}

void ClosePack() {
  if (ResourcePack.open) ResourcePack.file.Close();
  ResourcePack.open = false;
}
