// Small module and sound files written by the tests themselves: XM, S3M,
// MOD and RIFF WAVE builders that lay out the bytes as the formats do, with
// knobs to produce broken files as well.
#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace builders {

// A growing little-endian byte buffer.
class Bytes {
 public:
  Bytes& U8(uint32_t v) {
    data.push_back(static_cast<uint8_t>(v));
    return *this;
  }
  Bytes& U16(uint32_t v) { return U8(v).U8(v >> 8); }
  Bytes& U32(uint32_t v) { return U16(v).U16(v >> 16); }
  Bytes& U16BE(uint32_t v) { return U8(v >> 8).U8(v); }
  Bytes& Text(const std::string& text, size_t width) {
    for (size_t i = 0; i < width; ++i) U8(i < text.size() ? static_cast<uint8_t>(text[i]) : 0);
    return *this;
  }
  Bytes& Raw(const std::vector<uint8_t>& bytes) {
    data.insert(data.end(), bytes.begin(), bytes.end());
    return *this;
  }
  Bytes& Zeros(size_t count) {
    data.insert(data.end(), count, 0);
    return *this;
  }
  Bytes& PadTo(size_t size) {
    if (data.size() < size) Zeros(size - data.size());
    return *this;
  }
  void Patch16(size_t at, uint32_t v) {
    data[at] = static_cast<uint8_t>(v);
    data[at + 1] = static_cast<uint8_t>(v >> 8);
  }
  size_t Size() const { return data.size(); }

  std::vector<uint8_t> data;
};

// ---------------------------------------------------------------------------
// XM

struct XmCell {
  uint32_t row = 0;
  int channel = 0;
  uint8_t note = 0, instrument = 0, volume = 0, effect = 0, parameter = 0;
  bool unpacked = false;  // all five bytes, without a mask byte
};

// Pattern data: every channel of every row; cells not given are empty (one
// mask byte 0x80).
inline std::vector<uint8_t> XmPatternData(uint16_t rows, int channels,
                                          const std::vector<XmCell>& cells) {
  Bytes out;
  for (uint32_t row = 0; row < rows; ++row) {
    for (int channel = 0; channel < channels; ++channel) {
      const XmCell* found = nullptr;
      for (const XmCell& cell : cells)
        if (cell.row == row && cell.channel == channel) found = &cell;
      if (!found) {
        out.U8(0x80);
      } else if (found->unpacked) {
        out.U8(found->note).U8(found->instrument).U8(found->volume).U8(found->effect).U8(
            found->parameter);
      } else {
        const uint8_t fields[5] = {found->note, found->instrument, found->volume, found->effect,
                                   found->parameter};
        uint8_t mask = 0x80;
        for (int i = 0; i < 5; ++i)
          if (fields[i]) mask |= static_cast<uint8_t>(1 << i);
        out.U8(mask);
        for (int i = 0; i < 5; ++i)
          if (fields[i]) out.U8(fields[i]);
      }
    }
  }
  return out.data;
}

struct XmSample {
  std::vector<int> points;  // sample values, 8- or 16-bit range
  bool sixteenBit = false;
  uint8_t loopType = 0;  // 1 forward, 2 ping-pong
  uint32_t loopStart = 0, loopLength = 0;  // in samples
  uint8_t volume = 64;
  int8_t finetune = 0;
  uint8_t panning = 128;
  int8_t relativeNote = 0;
  std::string name;
};

struct XmEnvelope {
  std::vector<std::pair<uint16_t, uint16_t>> points;  // (tick, value)
  int count = -1;  // stored point count; -1: the number of points
  uint8_t sustain = 0, loopStart = 0, loopEnd = 0, flags = 0;
};

struct XmInstrument {
  std::string name;
  uint8_t type = 0;
  std::vector<XmSample> samples;
  std::array<uint8_t, 96> keymap{};  // sample number within the instrument, per note
  XmEnvelope volume, panning;
  uint8_t vibratoType = 0, vibratoSweep = 0, vibratoDepth = 0, vibratoRate = 0;
  uint16_t fadeout = 0;
  int64_t headerSize = -1;  // -1: 263 with samples, 29 without
};

struct XmPattern {
  uint16_t rows = 64;
  std::vector<uint8_t> data;  // packed pattern data, e.g. from XmPatternData
};

struct XmModule {
  std::string name = "xm test";
  int songLength = -1;  // -1: the number of orders
  uint16_t restart = 0, channels = 4, flags = 1, speed = 6, tempo = 125;
  std::vector<uint8_t> orders{0};
  std::vector<XmPattern> patterns;
  std::vector<XmInstrument> instruments;
  uint32_t headerSize = 276;
  int patternCount = -1;     // -1: the number of patterns
  int instrumentCount = -1;  // -1: the number of instruments

  std::vector<uint8_t> Build() const {
    Bytes out;
    out.Text("Extended Module: ", 17).Text(name, 20).U8(0x1A).Text("builder", 20).U16(0x0104);
    out.U32(headerSize);
    out.U16(songLength < 0 ? orders.size() : songLength).U16(restart).U16(channels);
    out.U16(patternCount < 0 ? patterns.size() : patternCount);
    out.U16(instrumentCount < 0 ? instruments.size() : instrumentCount);
    out.U16(flags).U16(speed).U16(tempo);
    std::vector<uint8_t> table(orders);
    table.resize(256, 0);
    out.Raw(table);
    if (headerSize < 0x10000) out.PadTo(60 + headerSize);  // larger sizes: a broken file
    for (const XmPattern& pattern : patterns)
      out.U32(9).U8(0).U16(pattern.rows).U16(pattern.data.size()).Raw(pattern.data);
    for (const XmInstrument& instrument : instruments) AppendInstrument(out, instrument);
    return out.data;
  }

 private:
  static void AppendEnvelopePoints(Bytes& out, const XmEnvelope& envelope) {
    for (size_t i = 0; i < 12; ++i) {
      const std::pair<uint16_t, uint16_t> point =
          i < envelope.points.size() ? envelope.points[i] : std::pair<uint16_t, uint16_t>{};
      out.U16(point.first).U16(point.second);
    }
  }
  static uint8_t Count(const XmEnvelope& envelope) {
    return static_cast<uint8_t>(envelope.count < 0 ? envelope.points.size() : envelope.count);
  }

  static void AppendInstrument(Bytes& out, const XmInstrument& instrument) {
    const size_t start = out.Size();
    const bool hasSamples = !instrument.samples.empty();
    const int64_t headerSize =
        instrument.headerSize >= 0 ? instrument.headerSize : (hasSamples ? 263 : 29);
    out.U32(static_cast<uint32_t>(headerSize)).Text(instrument.name, 22).U8(instrument.type);
    out.U16(instrument.samples.size());
    if (hasSamples) {
      out.U32(40);
      for (uint8_t entry : instrument.keymap) out.U8(entry);
      AppendEnvelopePoints(out, instrument.volume);
      AppendEnvelopePoints(out, instrument.panning);
      out.U8(Count(instrument.volume)).U8(Count(instrument.panning));
      out.U8(instrument.volume.sustain).U8(instrument.volume.loopStart).U8(
          instrument.volume.loopEnd);
      out.U8(instrument.panning.sustain).U8(instrument.panning.loopStart).U8(
          instrument.panning.loopEnd);
      out.U8(instrument.volume.flags).U8(instrument.panning.flags);
      out.U8(instrument.vibratoType).U8(instrument.vibratoSweep).U8(instrument.vibratoDepth);
      out.U8(instrument.vibratoRate).U16(instrument.fadeout).Zeros(22);
    }
    // The header's size decides where the sample headers start.
    out.data.resize(start + static_cast<size_t>(headerSize), 0);
    for (const XmSample& sample : instrument.samples) {
      const uint32_t width = sample.sixteenBit ? 2 : 1;
      out.U32(sample.points.size() * width).U32(sample.loopStart * width).U32(
          sample.loopLength * width);
      out.U8(sample.volume).U8(static_cast<uint8_t>(sample.finetune));
      out.U8(sample.loopType | (sample.sixteenBit ? 0x10 : 0)).U8(sample.panning);
      out.U8(static_cast<uint8_t>(sample.relativeNote)).U8(0).Text(sample.name, 22);
    }
    for (const XmSample& sample : instrument.samples) {
      int previous = 0;
      for (int point : sample.points) {
        const int delta = point - previous;
        previous = point;
        if (sample.sixteenBit) out.U16(static_cast<uint16_t>(delta));
        else out.U8(static_cast<uint8_t>(delta));
      }
    }
  }
};

// ---------------------------------------------------------------------------
// S3M

struct S3mCell {
  uint32_t row = 0;
  int channel = 0;
  uint8_t note = 255;  // 255 with instrument 0: no note/instrument bytes
  uint8_t instrument = 0;
  int volume = -1;  // -1: no volume byte
  uint8_t effect = 0, parameter = 0;  // effect 0: no effect bytes
};

struct S3mSample {
  uint8_t type = 1;
  std::string dosName, name;
  std::vector<uint8_t> data;  // bytes as stored (unsigned by default)
  uint32_t length = 0;        // in samples; 0: the size of data
  uint32_t loopBegin = 0, loopEnd = 0;
  uint8_t volume = 64, flags = 0;
  uint32_t c2rate = 8363;
  bool stored = true;         // false: parapointer 0
  int64_t dataPosition = -1;  // byte position of the data; -1: where the builder puts it
};

struct S3mPattern {
  std::vector<S3mCell> cells;
  bool stored = true;  // false: parapointer 0
};

struct S3mModule {
  std::string name = "s3m test";
  std::vector<uint8_t> orders{0};
  std::array<uint8_t, 32> channelSettings;
  bool panningTable = false;
  std::array<uint8_t, 32> panning{};
  uint8_t globalVolume = 64, speed = 6, tempo = 125;
  uint16_t sampleFormat = 2;  // 1 signed, 2 unsigned
  std::vector<S3mSample> samples;
  std::vector<S3mPattern> patterns;

  S3mModule() {
    channelSettings.fill(255);
    const uint8_t used[4] = {0, 8, 1, 9};
    for (int i = 0; i < 4; ++i) channelSettings[i] = used[i];
  }

  std::vector<uint8_t> Build() const {
    Bytes out;
    out.Text(name, 28).U8(0x1A).U8(16).U16(0);
    out.U16(orders.size()).U16(samples.size()).U16(patterns.size());
    out.U16(0).U16(0x1320).U16(sampleFormat).Text("SCRM", 4);
    out.U8(globalVolume).U8(speed).U8(tempo).U8(0xB0).U8(0).U8(panningTable ? 0xFC : 0);
    out.Zeros(10);
    for (uint8_t setting : channelSettings) out.U8(setting);
    out.Raw(orders);
    const size_t instrumentPointers = out.Size();
    out.Zeros(2 * samples.size());
    const size_t patternPointers = out.Size();
    out.Zeros(2 * patterns.size());
    if (panningTable)
      for (uint8_t entry : panning) out.U8(entry);

    std::vector<size_t> headerAt(samples.size());
    for (size_t i = 0; i < samples.size(); ++i) {
      Align(out);
      headerAt[i] = out.Size();
      if (samples[i].stored) out.Patch16(instrumentPointers + 2 * i, out.Size() / 16);
      out.Zeros(80);
    }
    for (size_t i = 0; i < patterns.size(); ++i) {
      if (!patterns[i].stored) continue;
      Align(out);
      out.Patch16(patternPointers + 2 * i, out.Size() / 16);
      const std::vector<uint8_t> packed = PatternBytes(patterns[i]);
      out.U16(packed.size() + 2).Raw(packed);
    }
    for (size_t i = 0; i < samples.size(); ++i) {
      Align(out);
      const size_t position =
          samples[i].dataPosition >= 0 ? static_cast<size_t>(samples[i].dataPosition) : out.Size();
      WriteInstrumentHeader(out, headerAt[i], samples[i], position);
      if (samples[i].dataPosition < 0) out.Raw(samples[i].data);
    }
    return out.data;
  }

 private:
  static void Align(Bytes& out) { out.PadTo((out.Size() + 15) / 16 * 16); }

  static void WriteInstrumentHeader(Bytes& out, size_t at, const S3mSample& sample,
                                    size_t dataPosition) {
    Bytes h;
    const uint32_t length = sample.length ? sample.length : sample.data.size();
    const size_t paragraph = dataPosition / 16;
    h.U8(sample.type).Text(sample.dosName, 12).U8(paragraph >> 16).U16(paragraph & 0xFFFF);
    h.U32(length).U32(sample.loopBegin).U32(sample.loopEnd);
    h.U8(sample.volume).U8(0).U8(0).U8(sample.flags).U32(sample.c2rate).Zeros(12);
    h.Text(sample.name, 28).Text("SCRS", 4);
    std::copy(h.data.begin(), h.data.end(), out.data.begin() + at);
  }

  static std::vector<uint8_t> PatternBytes(const S3mPattern& pattern) {
    Bytes out;
    for (uint32_t row = 0; row < 64; ++row) {
      for (const S3mCell& cell : pattern.cells) {
        if (cell.row != row) continue;
        uint8_t what = static_cast<uint8_t>(cell.channel & 0x1F);
        const bool noteBytes = cell.note != 255 || cell.instrument != 0;
        if (noteBytes) what |= 0x20;
        if (cell.volume >= 0) what |= 0x40;
        if (cell.effect) what |= 0x80;
        out.U8(what);
        if (noteBytes) out.U8(cell.note).U8(cell.instrument);
        if (cell.volume >= 0) out.U8(cell.volume);
        if (cell.effect) out.U8(cell.effect).U8(cell.parameter);
      }
      out.U8(0);
    }
    return out.data;
  }
};

// ---------------------------------------------------------------------------
// MOD

struct ModCell {
  uint32_t row = 0;
  int channel = 0;
  uint16_t period = 0;
  uint8_t instrument = 0, effect = 0, parameter = 0;
};

struct ModSample {
  std::string name;
  std::vector<int8_t> data;  // an even number of bytes
  uint8_t finetune = 0, volume = 64;
  uint16_t loopStartWords = 0, loopLengthWords = 1;
};

struct ModModule {
  std::string name = "mod test";
  std::string id = "M.K.";
  uint8_t songLength = 1;
  std::array<uint8_t, 128> orders{};
  std::vector<std::vector<ModCell>> patterns{{}};  // every one of them is stored
  std::vector<ModSample> samples;                  // up to 31

  std::vector<uint8_t> Build() const {
    Bytes out;
    out.Text(name, 20);
    for (size_t i = 0; i < 31; ++i) {
      const ModSample sample = i < samples.size() ? samples[i] : ModSample();
      out.Text(sample.name, 22).U16BE(sample.data.size() / 2).U8(sample.finetune);
      out.U8(sample.volume).U16BE(sample.loopStartWords).U16BE(sample.loopLengthWords);
    }
    out.U8(songLength).U8(127);
    for (uint8_t order : orders) out.U8(order);
    out.Text(id, 4);
    for (const std::vector<ModCell>& pattern : patterns) {
      const size_t start = out.Size();
      out.Zeros(1024);
      for (const ModCell& cell : pattern) {
        uint8_t* b = &out.data[start + (cell.row * 4 + cell.channel) * 4];
        b[0] = static_cast<uint8_t>((cell.instrument & 0xF0) | (cell.period >> 8 & 0x0F));
        b[1] = static_cast<uint8_t>(cell.period);
        b[2] = static_cast<uint8_t>((cell.instrument & 0x0F) << 4 | (cell.effect & 0x0F));
        b[3] = cell.parameter;
      }
    }
    for (const ModSample& sample : samples)
      for (int8_t point : sample.data) out.U8(static_cast<uint8_t>(point));
    return out.data;
  }
};

// ---------------------------------------------------------------------------
// RIFF WAVE

struct WaveChunk {
  std::string id;
  std::vector<uint8_t> body;
};

inline std::vector<uint8_t> BuildWave(uint16_t tag, uint16_t channels, uint32_t rate,
                                      uint16_t bits, const std::vector<uint8_t>& data,
                                      const std::vector<WaveChunk>& chunksBeforeData = {}) {
  Bytes out;
  out.Text("RIFF", 4).U32(0).Text("WAVE", 4);
  const uint32_t align = channels * (bits / 8);
  out.Text("fmt ", 4).U32(16).U16(tag).U16(channels).U32(rate).U32(rate * align).U16(align).U16(
      bits);
  for (const WaveChunk& chunk : chunksBeforeData) {
    out.Text(chunk.id, 4).U32(chunk.body.size()).Raw(chunk.body);
    if (chunk.body.size() & 1) out.U8(0);
  }
  out.Text("data", 4).U32(data.size()).Raw(data);
  const uint32_t riffSize = static_cast<uint32_t>(out.Size() - 8);
  out.Patch16(4, riffSize & 0xFFFF);
  out.Patch16(6, riffSize >> 16);
  return out.data;
}

// ---------------------------------------------------------------------------

// Writes bytes into a file; returns its path.
inline std::string WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file) {
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
  }
  return path;
}

}  // namespace builders
