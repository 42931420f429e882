// The one module model every format is turned into at load time: a module
// record with its order list, packed patterns, instruments (keymap,
// envelopes, auto-vibrato, fadeout) and samples (signed PCM with loop points
// and tuning). The player and the mixer only ever see this model; each file
// format has a loader of its own that fills it.
//
// The memory records below are natural C++ (vectors instead of pointer
// arrays). Where a record is also a file layout (QLT files store samples
// byte for byte, and the module and instrument headers field by field), a
// packed *Layout struct beside it holds the exact bytes.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "model/Cpattern.h"
#include "base/SharedValue.h"

static_assert(std::endian::native == std::endian::little,
              "file layouts are read and written byte for byte, little-endian");

// Internal note numbering: 1 = C-0 ... 96, 97 and 254 key off, 0 and 255 none.
constexpr uint8_t kNoteNone = 0;
constexpr uint8_t kLastNote = 96;
constexpr uint8_t kNoteKeyOff = 97;
constexpr uint8_t kNoteKeyOffAlt = 254;

// Limits every loaded module keeps.
constexpr int kModuleChannels = 32;        // music channels the player has
constexpr int kKeymapNotes = 96;           // keymap entries, one per note
constexpr uint32_t kMaxPatterns = 256;     // order entries are bytes
constexpr uint32_t kMaxInstruments = 255;  // instrument numbers in cells are bytes, 1-based
constexpr uint32_t kMaxSamples = 256;      // keymap entries are bytes
// Positions are 21.11 fixed point, so a sample holds at most 2^21 - 1 samples.
constexpr uint32_t kMaxSampleLength = (1u << 21) - 1;
// The smallest initial tempo a module gets (the set-tempo effect's floor).
constexpr uint8_t kMinTempo = 32;
constexpr uint8_t kMaxVolume = 64;
// A keymap entry that names no sample (any entry at or past the sample count
// names none; loading turns every such entry into this value).
constexpr uint8_t kKeymapNoSample = 255;

// Bits of SampleSlot::flags.
namespace SampleFlag {
constexpr uint8_t Loop = 0x01;
constexpr uint8_t SixteenBit = 0x04;
constexpr uint8_t PingPong = 0x08;
constexpr uint8_t OwnPanning = 0x10;  // the sample's panning replaces the channel's
constexpr uint8_t C2Rate = 0x20;      // tuning is a C2 rate in Hz (S3M, WAVE, created)
constexpr uint8_t Linear = 0x40;      // linear frequency table (XM)
}  // namespace SampleFlag

// Bits of Envelope::flags.
namespace EnvelopeFlag {
constexpr uint8_t On = 0x01;
constexpr uint8_t Sustain = 0x02;
constexpr uint8_t Loop = 0x04;
}  // namespace EnvelopeFlag

// Bits of ModuleSlot::flags.
namespace ModuleFlag {
constexpr uint16_t LinearFrequency = 0x0001;
}

// Values of ModuleSlot::format (a QLT file keeps the value of its origin).
namespace ModuleFormat {
constexpr uint8_t XM = 1;
constexpr uint8_t S3M = 2;
constexpr uint8_t MOD = 3;
}  // namespace ModuleFormat

// One sound: a sample of a module, or one of the library's sample slots.
struct SampleSlot {
  char dosName[13] = {};  // S3M's DOS file name, zero-terminated; empty otherwise
  uint8_t reserved = 0;
  // Signed 8- or 16-bit mono PCM followed by two guard samples (copies of the
  // last sample, zero for created samples), so interpolation may read two
  // samples past the end. Empty when the length is 0. 8-bit data is the
  // bytes of this storage.
  std::vector<int16_t> pcm;
  uint32_t length = 0;     // in samples; 0 = free slot
  uint32_t loopStart = 0;  // in samples
  uint32_t loopEnd = 0;    // in samples, exclusive
  uint8_t volume = 0;      // default volume 0-64
  uint8_t flags = 0;       // SampleFlag bits
  // With SampleFlag::C2Rate: the C2 rate in Hz (also the default frequency of
  // a sample slot); otherwise the low byte is the signed finetune in 1/128
  // semitone.
  uint32_t tuning = 0;
  uint8_t panning = 0;       // 0-255, used with SampleFlag::OwnPanning
  int8_t relativeNote = 0;   // semitones
  char name[28] = {};
  uint8_t defaultPanning = 0;  // S3M's default panning byte (48); copied into the instrument

  const void* Data() const { return pcm.empty() ? nullptr : pcm.data(); }
  const int8_t* Data8() const { return reinterpret_cast<const int8_t*>(pcm.data()); }
  int8_t* Data8() { return reinterpret_cast<int8_t*>(pcm.data()); }
  const int16_t* Data16() const { return pcm.data(); }
  int16_t* Data16() { return pcm.data(); }
  bool Is16Bit() const { return (flags & SampleFlag::SixteenBit) != 0; }
  int8_t Finetune() const { return static_cast<int8_t>(tuning & 0xFF); }
  bool operator==(const SampleSlot&) const = default;
};

// A volume or panning envelope of an instrument.
struct Envelope {
  std::vector<uint16_t> points;  // count pairs of (tick, value 0-64)
  uint8_t count = 0;             // points in use
  uint8_t sustain = 0;           // sustain point
  uint8_t loopStart = 0;         // loop start point
  uint8_t loopEnd = 0;           // loop end point
  uint8_t flags = 0;             // EnvelopeFlag bits
  bool operator==(const Envelope&) const = default;
};

struct Instrument {
  char name[28] = {};                 // XM: 22 characters
  uint8_t sampleDefaultPanning = 0;   // MOD and S3M: the sample's default panning byte
  uint8_t type = 0;                   // XM instrument type; 0 otherwise
  uint16_t sampleCount = 0;           // samples of this instrument
  uint8_t keymap[kKeymapNotes] = {};  // per note 1-96 (index note - 1): global sample index
  Envelope volumeEnvelope;
  Envelope panningEnvelope;
  uint8_t vibratoType = 0;  // auto-vibrato (loaded, not applied)
  uint8_t vibratoSweep = 0;
  uint8_t vibratoDepth = 0;
  uint8_t vibratoRate = 0;
  uint16_t fadeout = 0;
  bool operator==(const Instrument&) const = default;
};

// A module slot of the library, and the loaded module in it.
//
// After a successful load the model is consistent, so the player may rely on:
// orders.size() == songLength, instruments.size() == instrumentCount,
// samples.size() == sampleCount, patterns.size() == patternCount; every
// pattern decodes to exactly its rows with channels 0-63 and notes 0-97, 254
// or 255; channelCount <= 32; tempo >= 32; global and sample volumes <= 64;
// every sample has length <= kMaxSampleLength, loopStart <= loopEnd <= length
// (the loop flag only with loopStart < loopEnd) and its data plus two guard
// samples; every keymap entry is below sampleCount or kKeymapNoSample; every
// envelope has count points with sustain and loop points below count (an
// envelope without points is off). Order entries, the restart position and
// instrument numbers in cells are NOT checked: the player treats bad ones as
// the end of the song and as no instrument.
struct ModuleSlot {
  char name[29] = {};  // zero-terminated, at most 28 characters
  uint8_t reserved[3] = {};
  uint16_t songLength = 0;  // entries used in the order list
  uint16_t instrumentCount = 0;
  uint16_t sampleCount = 0;
  uint16_t patternCount = 0;
  uint8_t globalVolume = 0;  // initial, 0-64
  uint8_t speed = 0;         // initial ticks per row
  uint8_t tempo = 0;         // initial BPM
  std::vector<Instrument> instruments;
  std::vector<SampleSlot> samples;
  std::vector<PackedPattern> patterns;
  std::vector<uint8_t> orders;  // pattern index per entry; 254 = skip marker
  uint16_t restartPosition = 0;  // order index
  uint8_t channelCount = 0;
  uint8_t channelPanning[kModuleChannels] = {};  // initial panning 0-255
  uint16_t flags = 0;                            // ModuleFlag bits
  uint8_t format = 0;                            // ModuleFormat value
  SharedValue<uint8_t> loaded{0};
  SharedValue<uint8_t> inUse{0};  // set while the player plays this module
};

// ---------------------------------------------------------------------------
// File layouts of the records (QLT files and anything else that stores them).
// Pointer fields are kept as 4 zero bytes; they are never read back.

#pragma pack(push, 1)
struct SampleSlotLayout {
  char dosName[13];
  uint8_t reserved;
  uint32_t dataPointer;  // ignored
  uint32_t length;
  uint32_t loopStart;
  uint32_t loopEnd;
  uint8_t volume;
  uint8_t flags;
  uint32_t tuning;
  uint8_t panning;
  int8_t relativeNote;
  char name[28];
  uint8_t defaultPanning;
};

struct EnvelopeSettingsLayout {
  uint8_t count;
  uint8_t sustain;
  uint8_t loopStart;
  uint8_t loopEnd;
  uint8_t flags;
};

struct InstrumentLayout {
  char name[28];
  uint8_t sampleDefaultPanning;
  uint8_t type;
  uint16_t sampleCount;
  uint8_t keymap[kKeymapNotes];
  uint32_t volumePointsPointer;   // ignored
  uint32_t panningPointsPointer;  // ignored
  EnvelopeSettingsLayout panning;
  EnvelopeSettingsLayout volume;
  uint8_t vibratoType;
  uint8_t vibratoSweep;
  uint8_t vibratoDepth;
  uint8_t vibratoRate;
  uint16_t fadeout;
};

struct ModuleSlotLayout {
  char name[29];
  uint8_t reserved[3];
  uint16_t songLength;
  uint16_t instrumentCount;
  uint16_t sampleCount;
  uint16_t patternCount;
  uint8_t globalVolume;
  uint8_t speed;
  uint8_t tempo;
  uint32_t instrumentsPointer;  // ignored
  uint32_t samplesPointer;      // ignored
  uint32_t patternsPointer;     // ignored
  uint32_t ordersPointer;       // ignored
  uint16_t restartPosition;
  uint8_t channelCount;
  uint8_t channelPanning[kModuleChannels];
  uint16_t flags;
  uint8_t format;
  uint8_t loaded;
  uint8_t inUse;
};
#pragma pack(pop)

static_assert(sizeof(SampleSlotLayout) == 67);
static_assert(sizeof(InstrumentLayout) == 152);
static_assert(sizeof(ModuleSlotLayout) == 99);

// Field-for-field copies between the records and their layouts (sample data,
// envelope points and the module's arrays are not part of a layout).
SampleSlotLayout ToLayout(const SampleSlot& sample);
void FromLayout(const SampleSlotLayout& layout, SampleSlot& sample);
InstrumentLayout ToLayout(const Instrument& instrument);
void FromLayout(const InstrumentLayout& layout, Instrument& instrument);
ModuleSlotLayout ToLayout(const ModuleSlot& module);
void FromLayout(const ModuleSlotLayout& layout, ModuleSlot& module);

// ---------------------------------------------------------------------------
// Sample data.

// Frees any old data and gives the sample room for length samples of 8- or
// 16-bit data plus the two guard samples, all zero; sets the length and the
// 16-bit flag. False (sample left empty) for a length of 0, above
// kMaxSampleLength, or when memory runs out.
bool AllocateSampleData(SampleSlot& sample, uint32_t length, bool sixteenBit);
// Copies the last sample into the two guard samples behind the data.
void SetGuardSamples(SampleSlot& sample);
// Frees the data and makes the slot free (length 0); the other fields stay.
void FreeSample(SampleSlot& sample);

// ---------------------------------------------------------------------------
// Freeing modules.

// False while the player uses the slot; true for an empty slot; otherwise
// frees everything the module holds and clears the loaded flag.
bool FreeModule(ModuleSlot& slot);

// Back to an empty slot (everything but the in-use flag).
void ClearModule(ModuleSlot& module);
