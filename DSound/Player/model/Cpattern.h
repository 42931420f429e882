// Packed patterns: every loader turns its pattern data into an unpacked grid
// of cells and packs it into this one compact row format, which the module
// player decodes row by row while the song plays (and which QLT files store
// as it is).
//
// A pattern is a sequence of rows; a row is a sequence of channel entries
// ended by a byte 0. An entry starts with a byte c: with bit 7 clear it is
// channel c - 1 using that channel's last flags; with bit 7 set it is channel
// (c & 0x7F) - 1 followed by a new flags byte. The flags announce the bytes
// that follow (note, instrument, volume, effect + parameter) or repeat the
// channel's last values; every byte read becomes the channel's last value.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Channels a pattern can hold (the player plays at most 32 of them).
constexpr int kPatternChannels = 64;
// Longest pattern any loader accepts.
constexpr uint32_t kMaxPatternRows = 1024;

// 255 in any field of a cell means "nothing given".
constexpr uint8_t kCellEmpty = 255;

// Bits of an entry's flags byte.
namespace PatternFlag {
constexpr uint8_t Note = 0x01;
constexpr uint8_t Instrument = 0x02;
constexpr uint8_t Volume = 0x04;
constexpr uint8_t Effect = 0x08;  // an effect byte and a parameter byte
constexpr uint8_t RepeatNote = 0x10;
constexpr uint8_t RepeatInstrument = 0x20;
constexpr uint8_t RepeatVolume = 0x40;
constexpr uint8_t RepeatEffect = 0x80;
}  // namespace PatternFlag

// One decoded cell: internal note, instrument (1-based), volume byte,
// internal effect number and its parameter.
struct PatternCell {
  uint8_t note = kCellEmpty;
  uint8_t instrument = kCellEmpty;
  uint8_t volume = kCellEmpty;
  uint8_t effect = kCellEmpty;
  uint8_t parameter = kCellEmpty;
  bool operator==(const PatternCell&) const = default;
};

// What the decoder remembers of one channel.
struct PatternChannelState {
  uint8_t note = kCellEmpty;
  uint8_t instrument = kCellEmpty;
  uint8_t volume = kCellEmpty;
  uint8_t effect = kCellEmpty;
  uint8_t parameter = kCellEmpty;
  uint8_t flags = kCellEmpty;
};

// A pattern in the packed row format, with the decoder's position and the
// per-channel state it needs while the player walks it.
struct PackedPattern {
  std::vector<uint8_t> data;  // packed rows; its size is the packed size
  uint32_t cursor = 0;        // read position of the decoder
  PatternChannelState channels[kPatternChannels];
  uint32_t rowCount = 0;

  uint32_t PackedSize() const { return static_cast<uint32_t>(data.size()); }
};

// An unpacked pattern: rows x 64 cells, all empty to begin with.
class PatternGrid {
 public:
  explicit PatternGrid(uint32_t rows) : rows_(rows), cells_(static_cast<size_t>(rows) * kPatternChannels) {}
  uint32_t Rows() const { return rows_; }
  PatternCell& At(uint32_t row, int channel) {
    return cells_[static_cast<size_t>(row) * kPatternChannels + channel];
  }
  const PatternCell& At(uint32_t row, int channel) const {
    return cells_[static_cast<size_t>(row) * kPatternChannels + channel];
  }

 private:
  uint32_t rows_;
  std::vector<PatternCell> cells_;
};

// Packs a grid into the pattern (data and row count). Without a grid, every
// one of the rows is empty: one byte 0 each.
void PackPattern(PackedPattern& pattern, const PatternGrid& grid);
void PackEmptyPattern(PackedPattern& pattern, uint32_t rows);

// One channel entry of a decoded row.
struct DecodedEntry {
  uint8_t channel = 0;  // 0-63
  PatternCell cell;
};

// The channel entries of one row, in the order they were stored. A row
// naming more than 64 entries keeps the first 64.
struct DecodedRow {
  int count = 0;
  DecodedEntry entries[kPatternChannels];
};

// Rewinds the decoder to the first row and forgets every channel's state.
void StartDecoding(PackedPattern& pattern);
// Decodes the next row. False when the data has no further row (the row is
// then empty). Malformed data (a channel number outside 1-64) ends decoding.
bool DecodeRow(PackedPattern& pattern, DecodedRow& row);
// Decodes and drops the next rows, keeping the channel state current.
void SkipRows(PackedPattern& pattern, uint32_t rows);

// Checks that the data holds exactly rowCount well-formed rows (channels
// 1-64, every announced byte present, notes 0-97, 254 or 255) and nothing
// after them.
bool PatternIsWellFormed(const PackedPattern& pattern);
