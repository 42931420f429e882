// The S3M loader.
#include "loaders/CModS3M.h"

#include <algorithm>

#include "loaders/ModuleLoading.h"

namespace {

constexpr size_t kHeaderBytes = 96;
constexpr size_t kIdOffset = 44;
constexpr char kS3mId[] = "SCRM";
constexpr size_t kInstrumentBytes = 80;
constexpr uint32_t kRows = 64;
constexpr int kSettingChannels = 16;  // channels whose settings are used
constexpr uint8_t kChannelUnused = 255;
constexpr uint8_t kPanningTableFollows = 0xFC;
constexpr uint8_t kSampleDefaultPanning = 48;
constexpr uint8_t kInstrumentTypeSample = 1;
constexpr uint16_t kSignedSamples = 1;  // sample format word; otherwise unsigned

// The S3M sample flag for 16-bit data.
constexpr uint8_t kS3mSixteenBit = 0x04;

struct S3mHeader {
  uint16_t sampleFormat = 0;
  bool panningTable = false;
  uint8_t channelSettings[32] = {};
};

void ReadHeader(const uint8_t* h, ModuleSlot& module, S3mHeader& header) {
  CopyName(module.name, sizeof module.name, h, 28);
  module.songLength = ReadU16(h + 32);
  module.instrumentCount = ReadU16(h + 34);
  module.sampleCount = module.instrumentCount;
  module.patternCount = ReadU16(h + 36);
  header.sampleFormat = ReadU16(h + 42);
  module.globalVolume = h[48];
  module.speed = h[49];
  module.tempo = h[50];
  header.panningTable = h[53] == kPanningTableFollows;
  std::copy(h + 64, h + 96, header.channelSettings);
}

// Default panning from the channel settings, then the optional table, then
// the channel count.
void SetChannels(ModuleSlot& module, const S3mHeader& header, const uint8_t* panningTable) {
  int highest = -1;
  for (int channel = 0; channel < kSettingChannels; ++channel) {
    const uint8_t setting = header.channelSettings[channel];
    if (setting < 8) module.channelPanning[channel] = 48;
    else if (setting < 16) module.channelPanning[channel] = 192;
    if (panningTable && (panningTable[channel] & 0x20))
      module.channelPanning[channel] = static_cast<uint8_t>(panningTable[channel] << 4);
    if (setting != kChannelUnused) highest = channel;
  }
  module.channelCount = static_cast<uint8_t>(highest + 1);
}

bool ReadInstrument(std::span<const uint8_t> file, uint16_t parapointer, uint16_t sampleFormat,
                    SampleSlot& sample) {
  sample.defaultPanning = kSampleDefaultPanning;
  sample.flags = SampleFlag::C2Rate;
  if (parapointer == 0) return true;  // no instrument stored
  ByteReader reader(file);
  reader.Seek(uint64_t{parapointer} * 16);
  uint8_t h[kInstrumentBytes];
  reader.Read(h, sizeof h);
  if (reader.Failed()) return false;

  CopyName(sample.dosName, sizeof sample.dosName, h + 1, 12);
  const uint64_t dataPosition = (uint64_t{h[13]} << 16 | ReadU16(h + 14)) * 16;
  const uint32_t length = h[0] == kInstrumentTypeSample ? ReadU32(h + 16) : 0;
  sample.length = length;
  sample.loopStart = std::min(ReadU32(h + 20), length);
  sample.loopEnd = std::min(ReadU32(h + 24), length);
  sample.volume = h[28];
  sample.flags |= h[31];
  sample.tuning = ReadU32(h + 32);
  CopyName(sample.name, sizeof sample.name, h + 48, 28);
  if (length == 0) return true;

  // 16-bit and stereo data: stereo stores the left channel first, and only
  // it is played.
  const uint64_t width = (h[31] & kS3mSixteenBit) ? 2 : 1;
  const uint64_t storedBytes = uint64_t{length} * width;
  reader.Seek(dataPosition);
  if (reader.Failed()) {  // the data lies past the end of the file
    sample.length = 0;
    LimitLoop(sample);
    return true;
  }
  const PcmCoding coding =
      sampleFormat == kSignedSamples ? PcmCoding::Signed : PcmCoding::Unsigned;
  return ReadSampleData(reader, sample, storedBytes, coding);
}

uint8_t VolumeFromS3M(uint8_t volume) { return std::min(volume, kMaxVolume); }

// Expands 64 rows of packed S3M data into the grid. Data that ends early
// leaves the remaining cells empty.
void ExpandPattern(std::span<const uint8_t> packed, PatternGrid& grid) {
  ByteReader data(packed);
  for (uint32_t row = 0; row < grid.Rows(); ++row) {
    for (;;) {
      const uint8_t what = data.U8();
      if (data.Failed()) return;
      if (what == 0) break;
      PatternCell cell;
      if (what & 0x20) {
        cell.note = NoteFromS3M(data.U8());
        const uint8_t instrument = data.U8();
        if (instrument) cell.instrument = instrument;
      }
      if (what & 0x40) cell.volume = VolumeFromS3M(data.U8());
      if (what & 0x80) {
        cell.effect = data.U8();
        cell.parameter = data.U8();
      }
      if (data.Failed()) return;
      grid.At(row, what & 0x1F) = cell;
    }
  }
}

bool ReadPattern(std::span<const uint8_t> file, uint16_t parapointer, PackedPattern& pattern) {
  if (parapointer == 0) {
    PackEmptyPattern(pattern, kRows);
    return true;
  }
  ByteReader reader(file);
  reader.Seek(uint64_t{parapointer} * 16);
  const uint16_t packedLength = reader.U16();
  if (reader.Failed()) return false;
  PatternGrid grid(kRows);
  ExpandPattern(reader.Take(std::min<size_t>(packedLength, reader.Remaining())), grid);
  PackPattern(pattern, grid);
  return true;
}

}  // namespace

bool LoadModuleS3M(ModuleSlot& module, std::span<const uint8_t> file) {
  ByteReader reader(file);
  reader.Seek(kIdOffset);
  if (reader.Failed() || !reader.Matches(kS3mId, 4)) return false;
  reader.Seek(0);
  uint8_t h[kHeaderBytes];
  reader.Read(h, sizeof h);
  S3mHeader header;
  ReadHeader(h, module, header);
  if (reader.Failed() || module.instrumentCount > kMaxInstruments ||
      module.patternCount > kMaxPatterns)
    return false;

  const std::span<const uint8_t> orders = reader.Take(module.songLength);
  module.orders.assign(orders.begin(), orders.end());
  std::vector<uint16_t> instrumentPointers(module.instrumentCount);
  for (uint16_t& pointer : instrumentPointers) pointer = reader.U16();
  std::vector<uint16_t> patternPointers(module.patternCount);
  for (uint16_t& pointer : patternPointers) pointer = reader.U16();
  uint8_t panningTable[32];
  if (header.panningTable) reader.Read(panningTable, sizeof panningTable);
  if (reader.Failed()) return false;
  SetChannels(module, header, header.panningTable ? panningTable : nullptr);

  module.samples.resize(module.sampleCount);
  for (size_t i = 0; i < module.samples.size(); ++i)
    if (!ReadInstrument(file, instrumentPointers[i], header.sampleFormat, module.samples[i]))
      return false;
  AddInstrumentPerSample(module);
  module.patterns.resize(module.patternCount);
  for (size_t i = 0; i < module.patterns.size(); ++i)
    if (!ReadPattern(file, patternPointers[i], module.patterns[i])) return false;
  module.restartPosition = 0;
  module.flags = 0;
  module.format = ModuleFormat::S3M;
  return true;
}

uint8_t NoteFromS3M(uint8_t noteByte) {
  if (noteByte == 254 || noteByte == 255) return noteByte;
  const int octave = noteByte >> 4;
  const int semitone = noteByte & 0x0F;
  if (octave > 7 || semitone > 11) return kCellEmpty;
  return static_cast<uint8_t>(octave * 12 + semitone);
}
