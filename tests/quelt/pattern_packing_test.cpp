// Packing grids into the packed row format and decoding them back.
#include <gtest/gtest.h>

#include <random>

#include "model/Cpattern.h"

namespace {

// What decoding gives back for a cell: 0 notes, instruments and effects
// are "nothing", so they come back as 255, and an effect-less parameter too.
PatternCell Normalised(PatternCell cell) {
  if (cell.note == 0) cell.note = kCellEmpty;
  if (cell.instrument == 0) cell.instrument = kCellEmpty;
  if (cell.effect == 0 || cell.effect == kCellEmpty) cell.effect = cell.parameter = kCellEmpty;
  return cell;
}

PatternGrid RandomGrid(uint32_t rows, unsigned seed) {
  std::mt19937 random(seed);
  PatternGrid grid(rows);
  const uint8_t notes[] = {0, 1, 49, 49, 96, 97, 254, 255};
  for (uint32_t row = 0; row < rows; ++row) {
    for (int channel = 0; channel < kPatternChannels; ++channel) {
      if (random() % 3) continue;  // most cells stay empty
      PatternCell& cell = grid.At(row, channel);
      cell.note = notes[random() % 8];
      cell.instrument = static_cast<uint8_t>(random() % 3 == 0 ? 255 : random() % 4);
      cell.volume = static_cast<uint8_t>(random() % 3 == 0 ? 255 : random() % 3 * 32);
      cell.effect = static_cast<uint8_t>(random() % 3 == 0 ? 255 : random() % 3 + 1);
      cell.parameter = static_cast<uint8_t>(random() % 2 * 0x10);
    }
  }
  return grid;
}

std::vector<std::vector<DecodedEntry>> DecodeAll(PackedPattern& pattern) {
  std::vector<std::vector<DecodedEntry>> rows;
  StartDecoding(pattern);
  DecodedRow row;
  for (uint32_t i = 0; i < pattern.rowCount; ++i) {
    EXPECT_TRUE(DecodeRow(pattern, row));
    rows.emplace_back(row.entries, row.entries + row.count);
  }
  return rows;
}

}  // namespace

TEST(PatternPacking, RandomGridsSurviveAPackAndDecodeRoundTrip) {
  // Guards against the packer and the decoder disagreeing on flags, repeats
  // or channel state, which would play wrong notes.
  for (unsigned seed = 1; seed <= 20; ++seed) {
    const PatternGrid grid = RandomGrid(64, seed);
    PackedPattern pattern;
    PackPattern(pattern, grid);
    ASSERT_TRUE(PatternIsWellFormed(pattern));
    const auto rows = DecodeAll(pattern);
    for (uint32_t r = 0; r < 64; ++r) {
      PatternGrid decoded(1);
      for (const DecodedEntry& entry : rows[r]) decoded.At(0, entry.channel) = entry.cell;
      for (int channel = 0; channel < kPatternChannels; ++channel)
        ASSERT_EQ(decoded.At(0, channel), Normalised(grid.At(r, channel)))
            << "seed " << seed << " row " << r << " channel " << channel;
    }
    DecodedRow past;
    EXPECT_FALSE(DecodeRow(pattern, past));
    EXPECT_EQ(past.count, 0);
  }
}

TEST(PatternPacking, RepeatedValuesAreFlaggedInsteadOfStored) {
  // Guards against repeats being written out again (or lost): the second of
  // two identical notes carries bit 4 and no note byte.
  PatternGrid grid(3);
  grid.At(0, 2).note = 49;
  grid.At(0, 2).instrument = 1;
  grid.At(1, 2).note = 49;
  grid.At(1, 2).instrument = 1;
  grid.At(2, 2).note = 50;
  grid.At(2, 2).instrument = 1;
  PackedPattern pattern;
  PackPattern(pattern, grid);
  const std::vector<uint8_t> expected = {
      0x83, 0x03, 49, 1, 0,  // channel 3, new flags note + instrument
      0x83, 0x30, 0,         // both repeated: new flags, no value bytes
      0x83, 0x21, 50, 0,     // new note, repeated instrument
  };
  EXPECT_EQ(pattern.data, expected);
  const auto rows = DecodeAll(pattern);
  EXPECT_EQ(rows[1][0].cell.note, 49);
  EXPECT_EQ(rows[2][0].cell.instrument, 1);
}

TEST(PatternPacking, SameFlagsReuseTheChannelByteAlone) {
  // Guards against the short form (channel byte without flags) being
  // written when the flags differ, or decoded with the wrong flags.
  PatternGrid grid(2);
  grid.At(0, 0).note = 10;
  grid.At(1, 0).note = 11;
  PackedPattern pattern;
  PackPattern(pattern, grid);
  EXPECT_EQ(pattern.data, (std::vector<uint8_t>{0x81, 0x01, 10, 0, 0x01, 11, 0}));
  EXPECT_EQ(DecodeAll(pattern)[1][0].cell.note, 11);
}

TEST(PatternPacking, EmptyRowsAreOneZeroByteEach) {
  // Guards against empty rows taking more (or less) than their terminator.
  PackedPattern fromGrid;
  PackPattern(fromGrid, PatternGrid(64));
  EXPECT_EQ(fromGrid.data, std::vector<uint8_t>(64, 0));
  PackedPattern empty;
  PackEmptyPattern(empty, 64);
  EXPECT_EQ(empty.data, std::vector<uint8_t>(64, 0));
  EXPECT_EQ(empty.rowCount, 64u);
  EXPECT_TRUE(PatternIsWellFormed(empty));
}

TEST(PatternPacking, VolumeZeroIsStoredButZeroNotesAndEffectsAreNot) {
  // Guards against volume 0 (a real volume) being dropped like an empty note.
  PatternGrid grid(1);
  grid.At(0, 0).volume = 0;
  grid.At(0, 1).note = 0;
  grid.At(0, 1).effect = 0;
  grid.At(0, 1).parameter = 7;
  PackedPattern pattern;
  PackPattern(pattern, grid);
  EXPECT_EQ(pattern.data, (std::vector<uint8_t>{0x81, 0x04, 0, 0}));
}

TEST(PatternDecoding, SkippingRowsKeepsTheChannelState) {
  // Guards against a pattern-break target row decoding repeats from a
  // forgotten state.
  PatternGrid grid(3);
  grid.At(0, 5).note = 30;
  grid.At(2, 5).note = 30;  // stored as "repeat last note"
  PackedPattern pattern;
  PackPattern(pattern, grid);
  StartDecoding(pattern);
  SkipRows(pattern, 2);
  DecodedRow row;
  ASSERT_TRUE(DecodeRow(pattern, row));
  ASSERT_EQ(row.count, 1);
  EXPECT_EQ(row.entries[0].channel, 5);
  EXPECT_EQ(row.entries[0].cell.note, 30);
  StartDecoding(pattern);
  EXPECT_EQ(pattern.cursor, 0u);
  EXPECT_EQ(pattern.channels[5].note, kCellEmpty);
}

TEST(PatternDecoding, MalformedDataIsRefusedAndNeverReadPast) {
  // Guards against out-of-bounds reads on packed data from a file: bad
  // channel numbers, value bytes missing at the end, rows missing or extra.
  struct Case {
    std::vector<uint8_t> data;
    uint32_t rows;
  };
  const Case broken[] = {
      {{0x80, 0x01, 10, 0}, 1},   // channel byte 0x80 names channel -1
      {{0xC1, 0x01, 10, 0}, 1},   // channel 65
      {{0x81, 0x0F, 10, 1}, 1},   // data ends inside the entry
      {{0x81, 0x01, 10}, 1},      // no row terminator
      {{0, 0}, 3},                // fewer rows than announced
      {{0, 0, 0}, 2},             // bytes after the last row
      {{0x81, 0x01, 120, 0}, 1},  // note 120 does not exist
  };
  for (const Case& c : broken) {
    PackedPattern pattern;
    pattern.data = c.data;
    pattern.rowCount = c.rows;
    EXPECT_FALSE(PatternIsWellFormed(pattern));
    StartDecoding(pattern);
    DecodedRow row;
    for (int i = 0; i < 4; ++i) DecodeRow(pattern, row);
    EXPECT_LE(pattern.cursor, pattern.data.size());
  }
}

TEST(PatternDecoding, ARowWithMoreThan64EntriesKeepsTheFirst64) {
  // Guards against overflowing the decoded row when data names a channel
  // more than once.
  PackedPattern pattern;
  pattern.data.push_back(0x81);
  pattern.data.push_back(0x01);
  pattern.data.push_back(1);
  for (int i = 0; i < 99; ++i) {
    pattern.data.push_back(0x01);
    pattern.data.push_back(static_cast<uint8_t>(2 + i % 90));
  }
  pattern.data.push_back(0);
  pattern.rowCount = 1;
  EXPECT_TRUE(PatternIsWellFormed(pattern));
  StartDecoding(pattern);
  DecodedRow row;
  EXPECT_TRUE(DecodeRow(pattern, row));
  EXPECT_EQ(row.count, kPatternChannels);
  EXPECT_EQ(pattern.cursor, pattern.data.size());
}
