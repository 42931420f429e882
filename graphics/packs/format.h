// The resource pack file: a 16-byte header, a directory of up to 128 entries
// of 32 bytes, and the entries' data at the offsets the directory gives.
// Shared by the game's reader and the pack builder.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <string>

static_assert(std::endian::native == std::endian::little, "pack records are read as little-endian");

constexpr uint8_t kPackMagic0 = 0x94;
constexpr uint8_t kPackMagic1 = 0x80;
constexpr int kPackMaxEntries = 128;
constexpr int kPackEntryNameMax = 13;
constexpr size_t kPackNameMax = 60;

// The scramble key of the image packs (game.dat and every graphics.dat).
constexpr uint16_t kImagePackKey = 28411;

#pragma pack(push, 1)
struct PackHeader {
  uint8_t magic[2];
  uint8_t unused[8];    // free for the builder
  uint8_t count;        // entries in the directory
  uint8_t scrambled;    // 0 = stored as they are
  uint32_t fileSize;    // must equal the file's size
};

struct PackDirectoryEntry {
  uint32_t offset;             // of the data, from the start of the file
  uint32_t storedSize;         // bytes in the file
  uint32_t unpackedSize;       // bytes after decoding
  uint16_t storedChecksum;     // of the stored bytes, after unscrambling
  uint16_t unpackedChecksum;   // of the decoded bytes (checked for methods below 10)
  uint8_t attribute;           // free for the entry's user (images: 1 = JPEG)
  uint8_t method;              // PackMethod
  uint8_t nameLength;          // short string
  char name[kPackEntryNameMax];
};
#pragma pack(pop)
static_assert(sizeof(PackHeader) == 16);
static_assert(sizeof(PackDirectoryEntry) == 32);

enum PackMethod : uint8_t {
  kMethodStored = 0,
  kMethodLzw = 1,
  kMethodDelta4 = 24,
  kMethodDelta6 = 26,
  kMethodDelta8 = 28,
  kMethodWaveDelta4 = 34,
  kMethodWaveDelta6 = 36,
  kMethodWaveDelta8 = 38,
};

// Methods the reader can decode; every other value is refused.
bool IsKnownPackMethod(uint8_t method);
bool IsDeltaMethod(uint8_t method);
// Bits per delta code (4, 6 or 8) of a delta method.
int DeltaBitsOfMethod(uint8_t method);
// Delta methods 34..38 keep a RIFF WAVE header stored plain.
bool MethodKeepsWaveHeader(uint8_t method);
// The most bytes an entry of this method and stored size can decode to;
// a directory that claims more is damaged.
uint64_t MaxUnpackedSize(uint8_t method, uint32_t storedSize);

// The entry's name as text (a length byte above 13 is cut to 13).
std::string EntryName(const PackDirectoryEntry& entry);
// Sets the name; false when it is longer than 13 characters.
bool SetEntryName(PackDirectoryEntry& entry, const std::string& name);
