// An extended module (XM) as the writer takes it: orders, patterns of cells,
// instruments with envelopes and samples. Values are those of the file
// (notes 1 = C-0 ... 96, 97 key off; effect numbers and volume-column bytes
// as stored), so a composition says exactly what the file will hold.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace xm {

constexpr uint8_t kNoNote = 0;
constexpr uint8_t kKeyOff = 97;
constexpr int kMaxChannels = 32;
constexpr int kKeymapNotes = 96;
constexpr int kMaxEnvelopePoints = 12;

// Effect numbers of the effect column (the letters A to Z follow 9).
enum Effect : uint8_t {
  kArpeggio = 0,
  kPortaUp = 1,
  kPortaDown = 2,
  kTonePorta = 3,
  kVibrato = 4,
  kTonePortaVolumeSlide = 5,
  kVibratoVolumeSlide = 6,
  kTremolo = 7,
  kSetPanning = 8,
  kSampleOffset = 9,
  kVolumeSlide = 10,
  kPositionJump = 11,
  kSetVolume = 12,
  kPatternBreak = 13,
  kExtended = 14,  // E: the parameter's high nibble selects the command
  kSpeedTempo = 15,  // below 32 ticks per row, else beats per minute
  kSetGlobalVolume = 16,
  kGlobalVolumeSlide = 17,
  kKeyOffEffect = 20,
  kSetEnvelopePosition = 21,
  kLastEffect = 35,
};

// Volume-column bytes.
namespace volume_column {
constexpr uint8_t Set(int volume) { return static_cast<uint8_t>(0x10 + volume); }  // 0-64
constexpr uint8_t SlideDown(int x) { return static_cast<uint8_t>(0x60 + x); }
constexpr uint8_t SlideUp(int x) { return static_cast<uint8_t>(0x70 + x); }
constexpr uint8_t FineDown(int x) { return static_cast<uint8_t>(0x80 + x); }
constexpr uint8_t FineUp(int x) { return static_cast<uint8_t>(0x90 + x); }
constexpr uint8_t VibratoSpeed(int x) { return static_cast<uint8_t>(0xA0 + x); }
constexpr uint8_t Vibrato(int depth) { return static_cast<uint8_t>(0xB0 + depth); }
constexpr uint8_t Panning(int x) { return static_cast<uint8_t>(0xC0 + x); }  // x × 16
constexpr uint8_t PanSlideLeft(int x) { return static_cast<uint8_t>(0xD0 + x); }
constexpr uint8_t PanSlideRight(int x) { return static_cast<uint8_t>(0xE0 + x); }
constexpr uint8_t TonePorta(int x) { return static_cast<uint8_t>(0xF0 + x); }
}  // namespace volume_column

struct Cell {
  uint8_t note = kNoNote;
  uint8_t instrument = 0;  // 1-based; 0 = none
  uint8_t volume = 0;      // volume-column byte; 0 = none
  uint8_t effect = 0;
  uint8_t parameter = 0;

  bool HasEffect() const { return effect != 0 || parameter != 0; }
  bool Empty() const { return note == 0 && instrument == 0 && volume == 0 && !HasEffect(); }
};

class Pattern {
 public:
  Pattern(int rows, int channels);
  int Rows() const { return rows_; }
  int Channels() const { return channels_; }
  // Throws out_of_range outside the pattern.
  Cell& At(int row, int channel);
  const Cell& At(int row, int channel) const;

 private:
  int rows_;
  int channels_;
  std::vector<Cell> cells_;
};

enum class Loop : uint8_t { None = 0, Forward = 1, PingPong = 2 };

struct Sample {
  std::string name;
  bool sixteenBit = true;
  std::vector<int16_t> data;  // 8-bit samples hold values -128..127
  Loop loop = Loop::None;
  uint32_t loopStart = 0;   // in samples
  uint32_t loopLength = 0;  // in samples
  uint8_t volume = 64;
  int8_t finetune = 0;  // 1/128 semitone
  uint8_t panning = 128;
  int8_t relativeNote = 0;
};

struct EnvelopePoint {
  uint16_t tick;
  uint8_t value;  // 0-64
};

struct Envelope {
  std::vector<EnvelopePoint> points;
  bool on = false;
  std::optional<uint8_t> sustain;                      // point index
  std::optional<std::pair<uint8_t, uint8_t>> loop;     // first and last point
};

struct AutoVibrato {
  uint8_t type = 0, sweep = 0, depth = 0, rate = 0;
};

struct Instrument {
  std::string name;
  std::vector<Sample> samples;
  std::array<uint8_t, kKeymapNotes> keymap{};  // sample of this instrument per note
  Envelope volume;
  Envelope panning;
  AutoVibrato vibrato;
  uint16_t fadeout = 0;  // 0-4095
};

struct Module {
  std::string name;
  std::string tracker = "Tervane xmwriter";
  int channels = 8;
  bool linearFrequencies = true;
  int speed = 6;    // ticks per row
  int tempo = 125;  // beats per minute
  int restart = 0;  // order index the song continues at after its end
  std::vector<uint8_t> orders;
  std::vector<Pattern> patterns;
  std::vector<Instrument> instruments;
};

}  // namespace xm
