// Packing grids into the packed row format and decoding it again.
#include "model/Cpattern.h"

#include <array>

#include "model/ModuleEffects.h"

namespace {

// Notes a pattern may hold: 0 and 255 none, 1-96, 97 and 254 key off.
bool IsStorableNote(uint8_t note) { return note <= 97 || note == 254 || note == 255; }

// The packer's view of one channel: the same last values the decoder keeps.
struct PackState {
  std::array<PatternChannelState, kPatternChannels> channels;
};

// Appends the bytes of one channel's cell; nothing for an empty cell.
void PackCell(std::vector<uint8_t>& out, PatternChannelState& last, int channel,
              const PatternCell& cell) {
  uint8_t flags = 0;
  const bool hasNote = cell.note != 0 && cell.note != kCellEmpty;
  const bool hasInstrument = cell.instrument != 0 && cell.instrument != kCellEmpty;
  const bool hasVolume = cell.volume != kCellEmpty;
  const bool hasEffect = cell.effect != Effect::None && cell.effect != kCellEmpty;
  if (hasNote) {
    flags |= cell.note == last.note ? PatternFlag::RepeatNote : PatternFlag::Note;
    last.note = cell.note;
  }
  if (hasInstrument) {
    flags |= cell.instrument == last.instrument ? PatternFlag::RepeatInstrument
                                                : PatternFlag::Instrument;
    last.instrument = cell.instrument;
  }
  if (hasVolume) {
    flags |= cell.volume == last.volume ? PatternFlag::RepeatVolume : PatternFlag::Volume;
    last.volume = cell.volume;
  }
  if (hasEffect) {
    const bool same = cell.effect == last.effect && cell.parameter == last.parameter;
    flags |= same ? PatternFlag::RepeatEffect : PatternFlag::Effect;
    last.effect = cell.effect;
    last.parameter = cell.parameter;
  }
  if (flags == 0) return;

  const uint8_t channelByte = static_cast<uint8_t>(channel + 1);
  if (flags == last.flags) {
    out.push_back(channelByte);
  } else {
    out.push_back(channelByte | 0x80);
    out.push_back(flags);
    last.flags = flags;
  }
  if (flags & PatternFlag::Note) out.push_back(cell.note);
  if (flags & PatternFlag::Instrument) out.push_back(cell.instrument);
  if (flags & PatternFlag::Volume) out.push_back(cell.volume);
  if (flags & PatternFlag::Effect) {
    out.push_back(cell.effect);
    out.push_back(cell.parameter);
  }
}

// Reads one byte of the pattern; past the end the data is over (0).
uint8_t NextByte(const std::vector<uint8_t>& data, uint32_t& cursor, bool& overrun) {
  if (cursor >= data.size()) {
    overrun = true;
    return 0;
  }
  return data[cursor++];
}

// Decodes one channel entry whose first byte has been read. False when the
// entry is malformed (bad channel number, or the data ends inside it).
bool DecodeEntry(const std::vector<uint8_t>& data, uint32_t& cursor,
                 PatternChannelState* channels, uint8_t first, DecodedEntry& entry) {
  const int channel = (first & 0x7F) - 1;
  if (channel < 0 || channel >= kPatternChannels) return false;
  PatternChannelState& state = channels[channel];
  bool overrun = false;
  if (first & 0x80) state.flags = NextByte(data, cursor, overrun);
  const uint8_t flags = state.flags;

  PatternCell cell;
  if (flags & PatternFlag::Note) state.note = cell.note = NextByte(data, cursor, overrun);
  else if (flags & PatternFlag::RepeatNote) cell.note = state.note;
  if (flags & PatternFlag::Instrument)
    state.instrument = cell.instrument = NextByte(data, cursor, overrun);
  else if (flags & PatternFlag::RepeatInstrument) cell.instrument = state.instrument;
  if (flags & PatternFlag::Volume) state.volume = cell.volume = NextByte(data, cursor, overrun);
  else if (flags & PatternFlag::RepeatVolume) cell.volume = state.volume;
  if (flags & PatternFlag::Effect) {
    state.effect = cell.effect = NextByte(data, cursor, overrun);
    state.parameter = cell.parameter = NextByte(data, cursor, overrun);
  } else if (flags & PatternFlag::RepeatEffect) {
    cell.effect = state.effect;
    cell.parameter = state.parameter;
  }
  entry.channel = static_cast<uint8_t>(channel);
  entry.cell = cell;
  return !overrun;
}

// Decodes one row from the cursor. Returns false when the data ends or is
// malformed before the row's terminating 0 (the cursor is then at the end).
bool DecodeOneRow(const std::vector<uint8_t>& data, uint32_t& cursor,
                  PatternChannelState* channels, DecodedRow* row, bool* notesValid) {
  if (row) row->count = 0;
  const uint32_t end = static_cast<uint32_t>(data.size());
  if (cursor >= end) return false;
  for (;;) {
    bool overrun = false;
    const uint8_t first = NextByte(data, cursor, overrun);
    if (overrun) return false;
    if (first == 0) return true;
    DecodedEntry entry;
    if (!DecodeEntry(data, cursor, channels, first, entry)) {
      cursor = end;
      return false;
    }
    if (notesValid && !IsStorableNote(entry.cell.note)) *notesValid = false;
    if (row && row->count < kPatternChannels) row->entries[row->count++] = entry;
  }
}

void ResetChannels(PatternChannelState* channels) {
  for (int channel = 0; channel < kPatternChannels; ++channel)
    channels[channel] = PatternChannelState();
}

}  // namespace

void PackPattern(PackedPattern& pattern, const PatternGrid& grid) {
  PackState state;
  std::vector<uint8_t> work;
  work.reserve(static_cast<size_t>(grid.Rows()) * 448);
  for (uint32_t row = 0; row < grid.Rows(); ++row) {
    for (int channel = 0; channel < kPatternChannels; ++channel)
      PackCell(work, state.channels[channel], channel, grid.At(row, channel));
    work.push_back(0);
  }
  pattern.data.assign(work.begin(), work.end());  // exact size
  pattern.rowCount = grid.Rows();
  StartDecoding(pattern);
}

void PackEmptyPattern(PackedPattern& pattern, uint32_t rows) {
  pattern.data.assign(rows, 0);
  pattern.rowCount = rows;
  StartDecoding(pattern);
}

void StartDecoding(PackedPattern& pattern) {
  pattern.cursor = 0;
  ResetChannels(pattern.channels);
}

bool DecodeRow(PackedPattern& pattern, DecodedRow& row) {
  return DecodeOneRow(pattern.data, pattern.cursor, pattern.channels, &row, nullptr);
}

void SkipRows(PackedPattern& pattern, uint32_t rows) {
  for (uint32_t done = 0; done < rows; ++done)
    if (!DecodeOneRow(pattern.data, pattern.cursor, pattern.channels, nullptr, nullptr)) return;
}

bool PatternIsWellFormed(const PackedPattern& pattern) {
  PatternChannelState channels[kPatternChannels];
  uint32_t cursor = 0;
  bool notesValid = true;
  for (uint32_t row = 0; row < pattern.rowCount; ++row)
    if (!DecodeOneRow(pattern.data, cursor, channels, nullptr, &notesValid)) return false;
  return notesValid && cursor == pattern.data.size();
}
