// The XM loader.
#include "loaders/CmoduleXM.h"

#include <algorithm>
#include <cstring>

#include "loaders/ModuleLoading.h"

namespace {

constexpr char kXmId[] = "Extended Module: ";
constexpr size_t kXmIdBytes = 17;
constexpr size_t kHeaderBytes = 336;
constexpr size_t kOrderTableBytes = 256;
constexpr size_t kPatternHeaderBytes = 9;
constexpr size_t kInstrumentHeaderBytes = 29;
constexpr size_t kInstrumentSampleInfoBytes = 234;  // present when the instrument has samples
constexpr size_t kSampleHeaderBytes = 40;
constexpr uint8_t kEnvelopePoints = 12;  // an XM envelope stores 12 points

struct XmHeader {
  uint32_t headerSize = 0;
  uint16_t songLength = 0;
  uint16_t patternCount = 0;
  uint16_t instrumentCount = 0;
  int patternChannels = 0;  // channels stored in each pattern row
};

bool ReadHeader(ByteReader& reader, ModuleSlot& module, XmHeader& header) {
  uint8_t h[kHeaderBytes];
  reader.Read(h, sizeof h);
  if (reader.Failed()) return false;
  CopyName(module.name, sizeof module.name, h + 17, 20);
  header.headerSize = ReadU32(h + 60);
  header.songLength = std::min<uint16_t>(ReadU16(h + 64), kOrderTableBytes);
  module.restartPosition = ReadU16(h + 66);
  header.patternChannels = h[68];  // low byte of the field
  header.patternCount = ReadU16(h + 70);
  header.instrumentCount = ReadU16(h + 72);
  module.flags = ReadU16(h + 74);
  module.speed = h[76];
  module.tempo = h[78];
  module.channelCount = h[68];
  module.songLength = header.songLength;
  module.orders.assign(h + 80, h + 80 + header.songLength);
  if (header.patternCount > kMaxPatterns || header.instrumentCount > kMaxInstruments)
    return false;
  reader.Seek(60 + static_cast<uint64_t>(header.headerSize));
  return !reader.Failed();
}

// One cell of XM pattern data. The first byte either is the note, with the
// other four bytes following, or (bit 7 set) says which of them follow.
PatternCell ReadCell(ByteReader& data) {
  const uint8_t first = data.U8();
  const uint8_t mask = (first & 0x80) ? first : 0x1F;
  uint8_t note = 0, instrument = 0, volume = 0, effect = 0, parameter = 0;
  if (!(first & 0x80)) note = first;
  else if (mask & 0x01) note = data.U8();
  if (mask & 0x02) instrument = data.U8();
  if (mask & 0x04) volume = data.U8();
  if (mask & 0x08) effect = data.U8();
  if (mask & 0x10) parameter = data.U8();

  PatternCell cell;
  if (note >= 1 && note <= kNoteKeyOff) cell.note = note;
  if (instrument != 0) cell.instrument = instrument;
  cell.volume = TranslateVolumeXM(volume);
  TranslateEffectXM(effect, parameter, cell);
  return cell;
}

// Expands a pattern's data into the grid. Data that ends early leaves the
// remaining cells empty; channels past the grid's 64 are read and dropped.
void ExpandPattern(std::span<const uint8_t> packed, int channels, PatternGrid& grid) {
  ByteReader data(packed);
  for (uint32_t row = 0; row < grid.Rows(); ++row) {
    for (int channel = 0; channel < channels; ++channel) {
      if (data.Remaining() == 0) return;
      const PatternCell cell = ReadCell(data);
      if (data.Failed()) return;
      if (channel < kPatternChannels) grid.At(row, channel) = cell;
    }
  }
}

bool ReadPatterns(ByteReader& reader, ModuleSlot& module, const XmHeader& header) {
  module.patterns.resize(header.patternCount);
  module.patternCount = header.patternCount;
  for (PackedPattern& pattern : module.patterns) {
    uint8_t h[kPatternHeaderBytes];
    reader.Read(h, sizeof h);
    const uint16_t rows = ReadU16(h + 5);
    const uint16_t packedSize = ReadU16(h + 7);
    if (reader.Failed() || rows > kMaxPatternRows) return false;
    if (packedSize == 0) {
      PackEmptyPattern(pattern, rows);
      continue;
    }
    const std::span<const uint8_t> packed = reader.Take(packedSize);
    if (reader.Failed()) return false;
    PatternGrid grid(rows);
    ExpandPattern(packed, header.patternChannels, grid);
    PackPattern(pattern, grid);
  }
  return true;
}

void ReadEnvelope(const uint8_t* points, uint8_t count, uint8_t sustain, uint8_t loopStart,
                  uint8_t loopEnd, uint8_t flags, Envelope& envelope) {
  envelope.count = std::min(count, kEnvelopePoints);
  envelope.points.resize(2 * envelope.count);
  for (size_t i = 0; i < envelope.points.size(); ++i) envelope.points[i] = ReadU16(points + 2 * i);
  envelope.sustain = sustain;
  envelope.loopStart = loopStart;
  envelope.loopEnd = loopEnd;
  envelope.flags = flags;
}

// The part of an instrument header that only instruments with samples have.
void ReadSampleInfo(const uint8_t* info, uint16_t sampleCount, size_t firstSample,
                    Instrument& instrument) {
  for (int note = 0; note < kKeymapNotes; ++note) {
    const uint8_t entry = info[4 + note];
    // An entry past the instrument's own samples names none of them.
    instrument.keymap[note] = entry < sampleCount ? static_cast<uint8_t>(entry + firstSample)
                                                  : kKeymapNoSample;
  }
  ReadEnvelope(info + 100, info[196], info[198], info[199], info[200], info[204],
               instrument.volumeEnvelope);
  ReadEnvelope(info + 148, info[197], info[201], info[202], info[203], info[205],
               instrument.panningEnvelope);
  instrument.vibratoType = info[206];
  instrument.vibratoSweep = info[207];
  instrument.vibratoDepth = info[208];
  instrument.vibratoRate = info[209];
  instrument.fadeout = ReadU16(info + 210);
}

// A sample header; returns the number of data bytes the file stores.
uint32_t ReadSampleHeader(const uint8_t* h, bool linear, SampleSlot& sample) {
  const uint32_t byteLength = ReadU32(h);
  const uint64_t loopStart = ReadU32(h + 4);
  const uint64_t loopEnd = loopStart + ReadU32(h + 8);
  const uint8_t type = h[14];
  sample.length = byteLength;
  sample.loopStart = static_cast<uint32_t>(std::min<uint64_t>(loopStart, byteLength));
  sample.loopEnd = static_cast<uint32_t>(std::min<uint64_t>(loopEnd, byteLength));
  sample.volume = h[12];
  sample.tuning = h[13];  // signed finetune in the low byte
  sample.panning = h[15];
  sample.relativeNote = static_cast<int8_t>(h[16]);
  CopyName(sample.name, sizeof sample.name, h + 18, 22);
  sample.flags = SampleFlag::OwnPanning;
  if ((type & 0x03) && sample.loopStart < sample.loopEnd) sample.flags |= SampleFlag::Loop;
  if (type & 0x02) sample.flags |= SampleFlag::PingPong;
  if (type & 0x10) {
    sample.flags |= SampleFlag::SixteenBit;
    sample.length /= 2;
    sample.loopStart /= 2;
    sample.loopEnd /= 2;
  }
  if (linear) sample.flags |= SampleFlag::Linear;
  return byteLength;
}

bool ReadInstrument(ByteReader& reader, ModuleSlot& module, Instrument& instrument) {
  const uint64_t start = reader.Position();
  uint8_t h[kInstrumentHeaderBytes];
  reader.Read(h, sizeof h);
  const uint32_t headerSize = ReadU32(h);
  const uint16_t sampleCount = ReadU16(h + 27);
  CopyName(instrument.name, sizeof instrument.name, h + 4, 22);
  instrument.type = h[26];
  instrument.sampleCount = sampleCount;
  const size_t firstSample = module.samples.size();
  if (reader.Failed() || firstSample + sampleCount > kMaxSamples) return false;

  // The header's own size says where the sample headers start; it may be
  // shorter than the fields read (the missing ones are then reserved bytes).
  const uint64_t end = start + std::max<uint64_t>(headerSize, kInstrumentHeaderBytes);
  if (sampleCount == 0) {
    std::memset(instrument.keymap, kKeymapNoSample, sizeof instrument.keymap);
    reader.Seek(end);
    return !reader.Failed();
  }
  uint8_t info[kInstrumentSampleInfoBytes];
  reader.Read(info, sizeof info);
  ReadSampleInfo(info, sampleCount, firstSample, instrument);
  reader.Seek(end);

  const bool linear = (module.flags & ModuleFlag::LinearFrequency) != 0;
  std::vector<uint32_t> storedBytes(sampleCount);
  module.samples.resize(firstSample + sampleCount);
  for (uint16_t i = 0; i < sampleCount; ++i) {
    uint8_t sampleHeader[kSampleHeaderBytes];
    reader.Read(sampleHeader, sizeof sampleHeader);
    storedBytes[i] = ReadSampleHeader(sampleHeader, linear, module.samples[firstSample + i]);
  }
  if (reader.Failed()) return false;
  for (uint16_t i = 0; i < sampleCount; ++i)
    if (!ReadSampleData(reader, module.samples[firstSample + i], storedBytes[i],
                        PcmCoding::Delta))
      return false;
  return true;
}

bool ReadInstruments(ByteReader& reader, ModuleSlot& module, uint16_t count) {
  module.instruments.resize(count);
  module.instrumentCount = count;
  for (Instrument& instrument : module.instruments)
    if (!ReadInstrument(reader, module, instrument)) return false;
  module.sampleCount = static_cast<uint16_t>(module.samples.size());
  return true;
}

}  // namespace

bool LoadModuleXM(ModuleSlot& module, std::span<const uint8_t> file) {
  ByteReader reader(file);
  if (!reader.Matches(kXmId, kXmIdBytes)) return false;
  XmHeader header;
  if (!ReadHeader(reader, module, header)) return false;
  if (!ReadPatterns(reader, module, header)) return false;
  if (!ReadInstruments(reader, module, header.instrumentCount)) return false;
  module.globalVolume = 64;
  module.format = ModuleFormat::XM;
  return true;
}

uint8_t TranslateVolumeXM(uint8_t volume) {
  if (volume == 0 || volume == 255) return kCellEmpty;
  return static_cast<uint8_t>(volume - 16);
}

namespace {

// The extended commands E0x-EFx; E0x-E5x, E7x, E8x and EFx are not played.
void TranslateExtendedXM(uint8_t parameter, PatternCell& cell) { TranslateSharedExtended(parameter, cell); }

}  // namespace

void TranslateEffectXM(uint8_t effect, uint8_t parameter, PatternCell& cell) {
  cell.effect = kCellEmpty;
  cell.parameter = kCellEmpty;
  switch (effect) {
    case 0: if (parameter) SetEffect(cell, Effect::Arpeggio, parameter); break;  // arpeggio; 000 is nothing
    case 1: SetEffect(cell, Effect::PlainPortaUp, parameter); break;
    case 2: SetEffect(cell, Effect::PlainPortaDown, parameter); break;
    case 3: SetEffect(cell, Effect::TonePorta, parameter); break;
    case 4: SetEffect(cell, Effect::Vibrato, parameter); break;
    case 5: SetEffect(cell, Effect::TonePortaVolumeSlide, parameter); break;
    case 6: SetEffect(cell, Effect::VibratoVolumeSlide, parameter); break;
    case 7: SetEffect(cell, Effect::Tremolo, parameter); break;
    case 8: SetEffect(cell, Effect::SetPanning, parameter); break;
    case 9: SetEffect(cell, Effect::SampleOffset, parameter); break;
    case 10: SetEffect(cell, Effect::VolumeSlide, parameter); break;
    case 11: SetEffect(cell, Effect::PositionJump, parameter); break;
    case 12: SetEffect(cell, Effect::SetVolume, parameter); break;
    case 13: SetEffect(cell, Effect::PatternBreak, parameter); break;
    case 14: TranslateExtendedXM(parameter, cell); break;
    case 15: SetEffect(cell, parameter < 32 ? Effect::SetSpeed : Effect::SetTempo, parameter); break;
    case 16: SetEffect(cell, Effect::SetGlobalVolume, parameter); break;
    case 17: SetEffect(cell, Effect::GlobalVolumeSlide, parameter); break;
    case 20: SetEffect(cell, Effect::KeyOff, parameter); break;
    case 21: SetEffect(cell, Effect::SetEnvelopePosition, parameter); break;
    case 25: SetEffect(cell, Effect::PanningSlide, parameter); break;
    case 27: SetEffect(cell, Effect::Retrigger, parameter); break;
    case 29: SetEffect(cell, Effect::Tremor, parameter); break;
    default: break;
  }
}
