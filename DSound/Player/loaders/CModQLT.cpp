// The QLT loader and writer. Both walk the same sequence of fields, so every
// part of the format has a reader and a writer side by side.
#include "loaders/CModQLT.h"

#include <algorithm>
#include <cstring>

#include "loaders/ModuleLoading.h"

namespace {

constexpr char kQltId[] = "QLTM";
constexpr size_t kQltIdBytes = 4;
// Instruments with more samples than this store their keymap raw; the others
// as run-length pairs (value, count).
constexpr uint16_t kRunLengthKeymapMaxSamples = 48;

// Appends little-endian values.
class ByteWriter {
 public:
  void U8(uint8_t value) { bytes_.push_back(value); }
  void U16(uint16_t value) {
    U8(static_cast<uint8_t>(value));
    U8(static_cast<uint8_t>(value >> 8));
  }
  void U32(uint32_t value) {
    U16(static_cast<uint16_t>(value));
    U16(static_cast<uint16_t>(value >> 16));
  }
  void Bytes(const void* data, size_t count) {
    const uint8_t* first = static_cast<const uint8_t*>(data);
    bytes_.insert(bytes_.end(), first, first + count);
  }
  std::vector<uint8_t>& Result() { return bytes_; }

 private:
  std::vector<uint8_t> bytes_;
};

// ---- Header ---------------------------------------------------------------

bool ReadHeader(ByteReader& reader, ModuleSlot& module) {
  ModuleSlotLayout layout{};
  reader.Skip(kQltIdBytes);
  reader.U16();  // version
  reader.Read(layout.name, sizeof layout.name);
  reader.Read(layout.reserved, sizeof layout.reserved);
  layout.songLength = reader.U16();
  layout.instrumentCount = reader.U16();
  layout.sampleCount = reader.U16();
  layout.patternCount = reader.U16();
  layout.globalVolume = reader.U8();
  layout.speed = reader.U8();
  layout.tempo = reader.U8();
  layout.restartPosition = reader.U16();
  layout.channelCount = reader.U8();
  layout.flags = reader.U16();
  layout.format = reader.U8();
  reader.Read(layout.channelPanning, sizeof layout.channelPanning);
  FromLayout(layout, module);
  if (reader.Failed() || module.patternCount > kMaxPatterns ||
      module.instrumentCount > kMaxInstruments || module.sampleCount > kMaxSamples)
    return false;
  const std::span<const uint8_t> orders = reader.Take(module.songLength);
  module.orders.assign(orders.begin(), orders.end());
  return !reader.Failed();
}

void WriteHeader(ByteWriter& out, const ModuleSlot& module) {
  const ModuleSlotLayout layout = ToLayout(module);
  out.Bytes(kQltId, kQltIdBytes);
  out.U16(kQltVersion);
  out.Bytes(layout.name, sizeof layout.name);
  out.Bytes(layout.reserved, sizeof layout.reserved);
  out.U16(layout.songLength);
  out.U16(layout.instrumentCount);
  out.U16(layout.sampleCount);
  out.U16(layout.patternCount);
  out.U8(layout.globalVolume);
  out.U8(layout.speed);
  out.U8(layout.tempo);
  out.U16(layout.restartPosition);
  out.U8(layout.channelCount);
  out.U16(layout.flags);
  out.U8(layout.format);
  out.Bytes(layout.channelPanning, sizeof layout.channelPanning);
  out.Bytes(module.orders.data(), module.orders.size());
}

// ---- Patterns -------------------------------------------------------------
// A pattern whose packed size equals its row count is all empty rows: its
// bytes are not stored.

bool ReadPattern(ByteReader& reader, PackedPattern& pattern) {
  reader.U8();  // not used
  const uint32_t rows = reader.U32();
  const uint32_t packedSize = reader.U32();
  if (reader.Failed() || rows > kMaxPatternRows) return false;
  if (packedSize == rows) {
    PackEmptyPattern(pattern, rows);
    return true;
  }
  const std::span<const uint8_t> data = reader.Take(packedSize);
  pattern.data.assign(data.begin(), data.end());
  pattern.rowCount = rows;
  return !reader.Failed();
}

void WritePattern(ByteWriter& out, const PackedPattern& pattern) {
  out.U8(0);
  out.U32(pattern.rowCount);
  out.U32(pattern.PackedSize());
  if (pattern.PackedSize() != pattern.rowCount) out.Bytes(pattern.data.data(), pattern.data.size());
}

// ---- Instruments ----------------------------------------------------------

bool ReadKeymap(ByteReader& reader, uint16_t sampleCount, uint8_t* keymap) {
  if (sampleCount > kRunLengthKeymapMaxSamples) {
    reader.Read(keymap, kKeymapNotes);
    return !reader.Failed();
  }
  int filled = 0;
  while (filled < kKeymapNotes) {
    const uint8_t value = reader.U8();
    const uint8_t count = reader.U8();
    // A run of 0 cannot be written by the writer and would never finish.
    if (reader.Failed() || count == 0) return false;
    const int run = std::min<int>(count, kKeymapNotes - filled);  // a run past 96 is cut
    std::memset(keymap + filled, value, run);
    filled += run;
  }
  return true;
}

void WriteKeymap(ByteWriter& out, uint16_t sampleCount, const uint8_t* keymap) {
  if (sampleCount > kRunLengthKeymapMaxSamples) {
    out.Bytes(keymap, kKeymapNotes);
    return;
  }
  for (int first = 0; first < kKeymapNotes;) {
    int last = first;
    while (last + 1 < kKeymapNotes && keymap[last + 1] == keymap[first]) ++last;
    out.U8(keymap[first]);
    out.U8(static_cast<uint8_t>(last - first + 1));
    first = last + 1;
  }
}

void ReadEnvelopeSettings(ByteReader& reader, EnvelopeSettingsLayout& settings) {
  settings.count = reader.U8();
  settings.sustain = reader.U8();
  settings.loopStart = reader.U8();
  settings.loopEnd = reader.U8();
  settings.flags = reader.U8();
}

void WriteEnvelopeSettings(ByteWriter& out, const EnvelopeSettingsLayout& settings) {
  out.U8(settings.count);
  out.U8(settings.sustain);
  out.U8(settings.loopStart);
  out.U8(settings.loopEnd);
  out.U8(settings.flags);
}

void ReadEnvelopePoints(ByteReader& reader, Envelope& envelope) {
  envelope.points.resize(2 * static_cast<size_t>(envelope.count));
  for (uint16_t& value : envelope.points) value = reader.U16();
}

void WriteEnvelopePoints(ByteWriter& out, const Envelope& envelope) {
  for (size_t i = 0; i < 2 * static_cast<size_t>(envelope.count); ++i)
    out.U16(i < envelope.points.size() ? envelope.points[i] : 0);
}

bool ReadInstrument(ByteReader& reader, Instrument& instrument) {
  InstrumentLayout layout{};
  reader.Read(layout.name, sizeof layout.name);
  layout.sampleDefaultPanning = reader.U8();
  layout.type = reader.U8();
  layout.sampleCount = reader.U16();
  ReadEnvelopeSettings(reader, layout.panning);
  ReadEnvelopeSettings(reader, layout.volume);
  if (layout.sampleCount == 0) {
    std::memset(layout.keymap, kKeymapNoSample, sizeof layout.keymap);
  } else {
    layout.vibratoType = reader.U8();
    layout.vibratoSweep = reader.U8();
    layout.vibratoDepth = reader.U8();
    layout.vibratoRate = reader.U8();
    layout.fadeout = reader.U16();
    if (!ReadKeymap(reader, layout.sampleCount, layout.keymap)) return false;
  }
  FromLayout(layout, instrument);
  ReadEnvelopePoints(reader, instrument.volumeEnvelope);
  ReadEnvelopePoints(reader, instrument.panningEnvelope);
  return !reader.Failed();
}

void WriteInstrument(ByteWriter& out, const Instrument& instrument) {
  const InstrumentLayout layout = ToLayout(instrument);
  out.Bytes(layout.name, sizeof layout.name);
  out.U8(layout.sampleDefaultPanning);
  out.U8(layout.type);
  out.U16(layout.sampleCount);
  WriteEnvelopeSettings(out, layout.panning);
  WriteEnvelopeSettings(out, layout.volume);
  if (layout.sampleCount != 0) {
    out.U8(layout.vibratoType);
    out.U8(layout.vibratoSweep);
    out.U8(layout.vibratoDepth);
    out.U8(layout.vibratoRate);
    out.U16(layout.fadeout);
    WriteKeymap(out, layout.sampleCount, layout.keymap);
  }
  WriteEnvelopePoints(out, instrument.volumeEnvelope);
  WriteEnvelopePoints(out, instrument.panningEnvelope);
}

// ---- Samples --------------------------------------------------------------

bool ReadSample(ByteReader& reader, SampleSlot& sample) {
  SampleSlotLayout layout{};
  reader.Read(&layout, sizeof layout);
  if (reader.Failed()) return false;
  FromLayout(layout, sample);
  const uint64_t width = sample.Is16Bit() ? 2 : 1;
  return ReadSampleData(reader, sample, sample.length * width, PcmCoding::Signed);
}

void WriteSample(ByteWriter& out, const SampleSlot& sample) {
  const SampleSlotLayout layout = ToLayout(sample);
  out.Bytes(&layout, sizeof layout);
  if (sample.length == 0 || sample.pcm.empty()) return;
  if (sample.Is16Bit()) {
    for (uint32_t i = 0; i < sample.length; ++i)
      out.U16(static_cast<uint16_t>(sample.Data16()[i]));
  } else {
    out.Bytes(sample.Data8(), sample.length);
  }
}

}  // namespace

bool LoadModuleQLT(ModuleSlot& module, std::span<const uint8_t> file) {
  ByteReader reader(file);
  if (!reader.Matches(kQltId, kQltIdBytes)) return false;
  if (!ReadHeader(reader, module)) return false;
  module.patterns.resize(module.patternCount);
  for (PackedPattern& pattern : module.patterns)
    if (!ReadPattern(reader, pattern)) return false;
  module.instruments.resize(module.instrumentCount);
  for (Instrument& instrument : module.instruments)
    if (!ReadInstrument(reader, instrument)) return false;
  module.samples.resize(module.sampleCount);
  for (SampleSlot& sample : module.samples)
    if (!ReadSample(reader, sample)) return false;
  return true;
}

std::vector<uint8_t> WriteModuleQLT(const ModuleSlot& module) {
  ByteWriter out;
  WriteHeader(out, module);
  for (const PackedPattern& pattern : module.patterns) WritePattern(out, pattern);
  for (const Instrument& instrument : module.instruments) WriteInstrument(out, instrument);
  for (const SampleSlot& sample : module.samples) WriteSample(out, sample);
  return std::move(out.Result());
}
