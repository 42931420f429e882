#include "tools/xmwriter/xmwriter.h"

#include <stdexcept>
#include <string>

namespace xm {
namespace {

constexpr uint32_t kHeaderSize = 276;            // from offset 60 to the first pattern
constexpr uint32_t kPatternHeaderSize = 9;
constexpr uint32_t kInstrumentHeaderSize = 263;  // with samples
constexpr uint32_t kInstrumentHeaderShort = 29;  // without samples
constexpr uint32_t kSampleHeaderSize = 40;
constexpr uint8_t kSixteenBitType = 0x10;

class ByteWriter {
 public:
  void U8(uint32_t value) { bytes_.push_back(static_cast<uint8_t>(value)); }
  void U16(uint32_t value) {
    U8(value);
    U8(value >> 8);
  }
  void U32(uint32_t value) {
    U16(value);
    U16(value >> 16);
  }
  // A fixed-size text field, padded with `fill`.
  void Text(const std::string& text, size_t size, char fill = '\0') {
    for (size_t i = 0; i < size; ++i) U8(static_cast<uint8_t>(i < text.size() ? text[i] : fill));
  }
  void Zeros(size_t count) { bytes_.insert(bytes_.end(), count, 0); }
  void Append(const std::vector<uint8_t>& more) { bytes_.insert(bytes_.end(), more.begin(), more.end()); }
  std::vector<uint8_t>& Bytes() { return bytes_; }

 private:
  std::vector<uint8_t> bytes_;
};

void WriteHeader(ByteWriter& out, const Module& module) {
  out.Text("Extended Module: ", 17);
  out.Text(module.name, 20);
  out.U8(0x1A);
  out.Text(module.tracker, 20, ' ');
  out.U16(0x0104);
  out.U32(kHeaderSize);
  out.U16(static_cast<uint32_t>(module.orders.size()));
  out.U16(static_cast<uint32_t>(module.restart));
  out.U16(static_cast<uint32_t>(module.channels));
  out.U16(static_cast<uint32_t>(module.patterns.size()));
  out.U16(static_cast<uint32_t>(module.instruments.size()));
  out.U16(module.linearFrequencies ? 1 : 0);
  out.U16(static_cast<uint32_t>(module.speed));
  out.U16(static_cast<uint32_t>(module.tempo));
  for (size_t i = 0; i < 256; ++i) out.U8(i < module.orders.size() ? module.orders[i] : 0);
}

// One cell: five plain bytes when every field is present, otherwise a byte
// with bit 7 set whose bits 0-4 say which fields follow.
void PackCell(std::vector<uint8_t>& out, const Cell& cell) {
  const uint8_t fields[5] = {cell.note, cell.instrument, cell.volume, cell.effect, cell.parameter};
  uint8_t mask = 0;
  for (int i = 0; i < 5; ++i) {
    if (fields[i] != 0) mask |= static_cast<uint8_t>(1 << i);
  }
  if (mask != 0x1F) out.push_back(static_cast<uint8_t>(0x80 | mask));
  for (int i = 0; i < 5; ++i) {
    if (mask & (1 << i)) out.push_back(fields[i]);
  }
}

void WritePattern(ByteWriter& out, const Pattern& pattern) {
  std::vector<uint8_t> packed;
  for (int row = 0; row < pattern.Rows(); ++row) {
    for (int channel = 0; channel < pattern.Channels(); ++channel) PackCell(packed, pattern.At(row, channel));
  }
  if (packed.size() > 0xFFFF) throw std::invalid_argument("a pattern packs to more than 65535 bytes");
  out.U32(kPatternHeaderSize);
  out.U8(0);  // packing type
  out.U16(static_cast<uint32_t>(pattern.Rows()));
  out.U16(static_cast<uint32_t>(packed.size()));
  out.Append(packed);
}

void WriteEnvelopePoints(ByteWriter& out, const Envelope& envelope) {
  for (int i = 0; i < kMaxEnvelopePoints; ++i) {
    bool used = static_cast<size_t>(i) < envelope.points.size();
    out.U16(used ? envelope.points[i].tick : 0);
    out.U16(used ? envelope.points[i].value : 0);
  }
}

void WriteEnvelopeMarks(ByteWriter& out, const Envelope& envelope) {
  out.U8(envelope.sustain.value_or(0));
  out.U8(envelope.loop ? envelope.loop->first : 0);
  out.U8(envelope.loop ? envelope.loop->second : 0);
}

uint8_t EnvelopeType(const Envelope& envelope) {
  return static_cast<uint8_t>((envelope.on ? 1 : 0) | (envelope.sustain ? 2 : 0) | (envelope.loop ? 4 : 0));
}

uint32_t BytesPerSample(const Sample& sample) { return sample.sixteenBit ? 2 : 1; }

void WriteSampleHeader(ByteWriter& out, const Sample& sample) {
  uint32_t unit = BytesPerSample(sample);
  bool looped = sample.loop != Loop::None;
  out.U32(static_cast<uint32_t>(sample.data.size()) * unit);
  out.U32(looped ? sample.loopStart * unit : 0);
  out.U32(looped ? sample.loopLength * unit : 0);
  out.U8(sample.volume);
  out.U8(static_cast<uint8_t>(sample.finetune));
  out.U8(static_cast<uint8_t>(sample.loop) | (sample.sixteenBit ? kSixteenBitType : 0));
  out.U8(sample.panning);
  out.U8(static_cast<uint8_t>(sample.relativeNote));
  out.U8(0);  // delta-coded data
  out.Text(sample.name, 22);
}

// Sample data is stored as differences between neighbouring values.
void WriteSampleData(ByteWriter& out, const Sample& sample) {
  int16_t previous = 0;
  for (int16_t value : sample.data) {
    auto delta = static_cast<uint16_t>(value - previous);
    if (sample.sixteenBit) {
      out.U16(delta);
    } else {
      out.U8(delta & 0xFF);
    }
    previous = value;
  }
}

void WriteInstrument(ByteWriter& out, const Instrument& instrument) {
  bool hasSamples = !instrument.samples.empty();
  out.U32(hasSamples ? kInstrumentHeaderSize : kInstrumentHeaderShort);
  out.Text(instrument.name, 22);
  out.U8(0);  // type
  out.U16(static_cast<uint32_t>(instrument.samples.size()));
  if (!hasSamples) return;
  out.U32(kSampleHeaderSize);
  for (uint8_t entry : instrument.keymap) out.U8(entry);
  WriteEnvelopePoints(out, instrument.volume);
  WriteEnvelopePoints(out, instrument.panning);
  out.U8(static_cast<uint32_t>(instrument.volume.points.size()));
  out.U8(static_cast<uint32_t>(instrument.panning.points.size()));
  WriteEnvelopeMarks(out, instrument.volume);
  WriteEnvelopeMarks(out, instrument.panning);
  out.U8(EnvelopeType(instrument.volume));
  out.U8(EnvelopeType(instrument.panning));
  out.U8(instrument.vibrato.type);
  out.U8(instrument.vibrato.sweep);
  out.U8(instrument.vibrato.depth);
  out.U8(instrument.vibrato.rate);
  out.U16(instrument.fadeout);
  out.Zeros(kInstrumentHeaderSize - 241);  // reserved
  for (const Sample& sample : instrument.samples) WriteSampleHeader(out, sample);
  for (const Sample& sample : instrument.samples) WriteSampleData(out, sample);
}

}  // namespace

std::vector<uint8_t> WriteModule(const Module& module) {
  CheckModule(module);
  ByteWriter out;
  WriteHeader(out, module);
  for (const Pattern& pattern : module.patterns) WritePattern(out, pattern);
  for (const Instrument& instrument : module.instruments) WriteInstrument(out, instrument);
  return std::move(out.Bytes());
}

}  // namespace xm
