// The MOD loader ("M.K." modules: four channels, 31 samples).
#include "loaders/CModMOD.h"

#include <algorithm>
#include <iterator>

#include "loaders/ModuleLoading.h"

namespace {

constexpr size_t kIdOffset = 1080;
constexpr char kModId[] = "M.K.";
constexpr int kSamples = 31;
constexpr size_t kSampleHeadersOffset = 20;
constexpr size_t kSampleHeaderBytes = 30;
constexpr size_t kSongLengthOffset = 950;
constexpr size_t kOrderTableOffset = 952;
constexpr size_t kOrderTableBytes = 128;
constexpr size_t kPatternsOffset = 1084;
constexpr int kChannels = 4;
constexpr uint32_t kRows = 64;
constexpr size_t kPatternBytes = kRows * kChannels * 4;
constexpr uint8_t kChannelPanning[kChannels] = {48, 192, 192, 48};

// Periods of the three octaves a MOD plays; index i is internal note i + 37.
constexpr uint16_t kPeriods[] = {
    856, 808, 762, 720, 678, 640, 604, 570, 538, 508, 480, 453,
    428, 404, 381, 360, 339, 320, 302, 285, 269, 254, 240, 226,
    214, 202, 190, 180, 170, 160, 151, 143, 135, 127, 120, 113,
};
constexpr uint8_t kFirstNote = 37;

void ReadSampleHeader(const uint8_t* h, SampleSlot& sample) {
  CopyName(sample.name, sizeof sample.name, h, 22);
  const uint32_t length = 2u * static_cast<uint32_t>(h[22] << 8 | h[23]);
  const uint32_t loopStart = 2u * static_cast<uint32_t>(h[26] << 8 | h[27]);
  const uint32_t loopLength = 2u * static_cast<uint32_t>(h[28] << 8 | h[29]);
  sample.length = length;
  sample.tuning = static_cast<uint8_t>(h[24] << 4);  // signed finetune in 1/128 semitone
  sample.volume = h[25];
  sample.loopStart = std::min(loopStart, length);
  sample.loopEnd = std::min(sample.loopStart + loopLength, length);
  if (sample.loopEnd - sample.loopStart > 2) sample.flags |= SampleFlag::Loop;
}

// Highest pattern number among the given order entries.
uint32_t HighestPattern(const uint8_t* orders, size_t count) {
  return count ? *std::max_element(orders, orders + count) : 0;
}

void ReadPattern(const uint8_t* data, PackedPattern& pattern) {
  PatternGrid grid(kRows);
  for (uint32_t row = 0; row < kRows; ++row) {
    for (int channel = 0; channel < kChannels; ++channel) {
      const uint8_t* b = data + (row * kChannels + channel) * 4;
      PatternCell& cell = grid.At(row, channel);
      cell.note = NoteFromPeriodMOD(static_cast<uint16_t>((b[0] & 0x0F) << 8 | b[1]));
      const uint8_t instrument = (b[0] & 0xF0) | (b[2] >> 4);
      if (instrument) cell.instrument = instrument;
      TranslateEffectMOD(b[2] & 0x0F, b[3], cell);
    }
  }
  PackPattern(pattern, grid);
}

}  // namespace

bool LoadModuleMOD(ModuleSlot& module, std::span<const uint8_t> file) {
  ByteReader reader(file);
  reader.Seek(kIdOffset);
  if (reader.Failed() || !reader.Matches(kModId, 4)) return false;
  const uint8_t* bytes = file.data();

  CopyName(module.name, sizeof module.name, bytes, 20);
  module.channelCount = kChannels;
  std::copy(std::begin(kChannelPanning), std::end(kChannelPanning), module.channelPanning);
  module.globalVolume = 64;
  module.speed = 6;
  module.tempo = 125;
  module.format = ModuleFormat::MOD;

  module.samples.resize(kSamples);
  uint64_t sampleBytes = 0;
  for (int i = 0; i < kSamples; ++i) {
    ReadSampleHeader(bytes + kSampleHeadersOffset + i * kSampleHeaderBytes, module.samples[i]);
    sampleBytes += module.samples[i].length;
  }
  module.sampleCount = kSamples;
  AddInstrumentPerSample(module);

  const uint8_t* orders = bytes + kOrderTableOffset;
  module.songLength = std::min<uint16_t>(bytes[kSongLengthOffset], kOrderTableBytes);
  module.orders.assign(orders, orders + module.songLength);
  module.patternCount = static_cast<uint16_t>(HighestPattern(orders, module.songLength) + 1);
  // Patterns named only by unused order entries are usually stored too; the
  // file size tells whether they are, and so where the sample data starts.
  uint32_t storedPatterns = module.patternCount;
  const uint32_t allPatterns = HighestPattern(orders, kOrderTableBytes) + 1;
  if (kPatternsOffset + uint64_t{allPatterns} * kPatternBytes + sampleBytes <= file.size())
    storedPatterns = std::max(storedPatterns, allPatterns);

  reader.Seek(kPatternsOffset);
  module.patterns.resize(module.patternCount);
  for (uint32_t index = 0; index < storedPatterns; ++index) {
    const std::span<const uint8_t> data = reader.Take(kPatternBytes);
    if (reader.Failed()) return false;
    if (index < module.patternCount) ReadPattern(data.data(), module.patterns[index]);
  }
  for (SampleSlot& sample : module.samples)
    if (!ReadSampleData(reader, sample, sample.length, PcmCoding::Signed)) return false;
  return true;
}

uint8_t NoteFromPeriodMOD(uint16_t period) {
  const auto found = std::find(std::begin(kPeriods), std::end(kPeriods), period);
  if (found == std::end(kPeriods)) return kCellEmpty;
  return static_cast<uint8_t>(kFirstNote + (found - std::begin(kPeriods)));
}

namespace {

// The extended commands E0x-EFx.
void TranslateExtendedMOD(uint8_t parameter, PatternCell& cell) {
  if (TranslateSharedExtended(parameter, cell)) return;
  const uint8_t x = parameter & 0x0F;
  switch (parameter >> 4) {
    case 0x1: SetEffect(cell, Effect::PortaUp, static_cast<uint8_t>(0xF0 + x)); break;  // fine porta up
    case 0x2: SetEffect(cell, Effect::PortaDown, static_cast<uint8_t>(0xF0 + x)); break;  // fine porta down
    case 0x3: SetEffect(cell, Effect::Special, SpecialParameter(SpecialEffect::Glissando, x)); break;
    case 0x4: SetEffect(cell, Effect::Special, SpecialParameter(SpecialEffect::VibratoWaveform, x)); break;
    case 0x7: SetEffect(cell, Effect::Special, SpecialParameter(SpecialEffect::TremoloWaveform, x)); break;
    default:  // E0x, E5x (set finetune), E8x, EFx: kept, but nothing plays them
      SetEffect(cell, Effect::Unhandled, parameter);
      break;
  }
}

}  // namespace

void TranslateEffectMOD(uint8_t effect, uint8_t parameter, PatternCell& cell) {
  cell.effect = kCellEmpty;
  cell.parameter = kCellEmpty;
  switch (effect) {
    case 0x0: if (parameter) SetEffect(cell, Effect::Arpeggio, parameter); break;
    case 0x1: SetEffect(cell, Effect::PlainPortaUp, parameter); break;
    case 0x2: SetEffect(cell, Effect::PlainPortaDown, parameter); break;
    case 0x3: SetEffect(cell, Effect::TonePorta, parameter); break;
    case 0x4: SetEffect(cell, Effect::Vibrato, parameter); break;
    case 0x5: SetEffect(cell, Effect::TonePortaVolumeSlide, parameter); break;
    case 0x6: SetEffect(cell, Effect::VibratoVolumeSlide, parameter); break;
    case 0x7: SetEffect(cell, Effect::Tremolo, parameter); break;
    case 0x9: SetEffect(cell, Effect::SampleOffset, parameter); break;
    case 0xA: SetEffect(cell, Effect::VolumeSlide, parameter); break;
    case 0xB: SetEffect(cell, Effect::PositionJump, parameter); break;
    case 0xC: SetEffect(cell, Effect::SetVolume, parameter); break;
    case 0xD: SetEffect(cell, Effect::PatternBreak, parameter); break;
    case 0xE: TranslateExtendedMOD(parameter, cell); break;
    case 0xF: SetEffect(cell, parameter < 32 ? Effect::SetSpeed : Effect::SetTempo, parameter); break;
    default: break;  // 8 (panning) is not played
  }
}
