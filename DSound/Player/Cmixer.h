// The mixing engine's records: output settings, the 64 channels (32 music,
// 32 FX) and the song position the module player keeps beside them.
//
// These are memory records, never written to a file, so they keep natural C++
// layout (64-bit pointers, atomics) instead of a packed byte layout. What the
// client's thread and the streaming thread share without a lock is a
// SharedValue (an atomic); everything else is changed either inside a mixing
// pass or by a client holding a MixerClaim.
#pragma once

#include <atomic>
#include <cstdint>

struct ModuleSlot;
struct MixerState;

// A value read and written by two threads without a lock. It copies like the
// plain value it holds, so records containing it stay ordinary values.
template <typename T>
class SharedValue {
 public:
  constexpr SharedValue(T value = T()) noexcept : value_(value) {}
  SharedValue(const SharedValue& other) noexcept : value_(other.load()) {}
  SharedValue& operator=(const SharedValue& other) noexcept {
    store(other.load());
    return *this;
  }
  SharedValue& operator=(T value) noexcept {
    store(value);
    return *this;
  }
  operator T() const noexcept { return load(); }
  T load() const noexcept { return value_.load(std::memory_order_acquire); }
  void store(T value) noexcept { value_.store(value, std::memory_order_release); }
  T exchange(T value) noexcept { return value_.exchange(value, std::memory_order_acq_rel); }

 private:
  std::atomic<T> value_;
};

constexpr int kMusicChannels = 32;
constexpr int kFxChannels = 32;
constexpr int kMixBufferEntries = 3600;  // mono samples, or 1800 stereo frames

// Format flags of MixSettings.
constexpr uint8_t kFormatStereo = 0x01;
constexpr uint8_t kFormat16Bit = 0x02;

// Sample flags as a channel carries them (the same bits as a sample's flags).
constexpr uint8_t kChannelLoop = 0x01;
constexpr uint8_t kChannel16Bit = 0x04;
constexpr uint8_t kChannelPingPong = 0x08;

// Envelope flags of a channel.
constexpr uint8_t kEnvelopeVolumeRunning = 0x01;
constexpr uint8_t kEnvelopePanningRunning = 0x02;

inline uint32_t BytesPerFrame(uint8_t formatFlags) {
  return ((formatFlags & kFormatStereo) ? 2u : 1u) * ((formatFlags & kFormat16Bit) ? 2u : 1u);
}

constexpr uint16_t kNoSample = 0xFFFF;
constexpr uint16_t kNoInstrument = 0xFFFF;

// Output format, volumes and the working storage of a mixing pass.
struct MixSettings {
  SharedValue<uint8_t> formatFlags{kFormatStereo | kFormat16Bit};
  SharedValue<uint16_t> rate{44100};
  SharedValue<uint8_t> stereoSeparation{255};
  SharedValue<int32_t> interpolation{2};  // 0 none, 1 linear, 2 quadratic
  uint8_t outputShift = 0;                // set at each mixing call
  // Accumulators of one chunk. They are 64 bits wide so that loud settings
  // (master volumes above unity, many full-scale voices) clip at the output
  // instead of wrapping around.
  int64_t mixBuffer[kMixBufferEntries] = {};
  uint32_t currentMonoFactor = 0;  // factors of the voice being mixed
  uint32_t currentLeftFactor = 0;
  uint32_t currentRightFactor = 0;
  uint32_t musicScale = 0;         // set at each mixing call
  uint32_t fxScale = 0;            // set at each mixing call
  uint32_t maxFramesPerChunk = 0;  // 1800 stereo, 3600 mono
  SharedValue<uint8_t> fxVolume{128};
  SharedValue<uint8_t> musicVolume{128};
  int32_t tickCounter = 0;  // output bytes left until the next tick
  MixerState* mixerState = nullptr;
};

// One voice. The fields the mixing reads come first in each group; the module
// player's own fields sit between them, in the player's order.
struct MixChannel {
  const void* data = nullptr;  // signed 8- or 16-bit mono, two guard samples behind
  uint32_t length = 0;         // in samples
  uint32_t loopStart = 0;      // in samples
  uint32_t loopEnd = 0;        // in samples, exclusive
  int8_t volume = 0;           // 0-64
  uint8_t sampleFlags = 0;     // kChannelLoop, kChannel16Bit, kChannelPingPong
  uint8_t envelopeFlags = 0;   // kEnvelopeVolumeRunning, kEnvelopePanningRunning
  // The loop, ping-pong and 16-bit bits of the data being played, taken with
  // the data (the sample flags may change before the next note copies new
  // data); loop bits only for a loop that lies inside the data.
  uint8_t dataFlags = 0;
  uint16_t sampleIndex = kNoSample;
  uint16_t instrumentIndex = kNoInstrument;
  uint32_t startOffset = 0;  // in samples
  uint32_t position = 0;     // 21.11 fixed point
  int32_t step = 0;          // 21.11 per output frame; negative while a ping-pong loop runs back
  uint32_t monoFactor = 0;
  uint32_t leftFactor = 0;
  uint32_t rightFactor = 0;
  // Player: the cell being played.
  uint8_t effect = 0;
  uint8_t effectParameter = 0;
  uint8_t note = 0;
  uint8_t volumeColumn = 0;
  uint8_t rowData = 0;
  SharedValue<uint8_t> active{0};        // the voice is mixed
  SharedValue<uint8_t> startRequest{0};  // consumed at the next tick
  uint8_t keyOn = 0;
  // Player: pitch and effect state.
  uint16_t period = 0;
  uint16_t periodBeforeNote = 0;
  uint16_t targetPeriod = 0;
  uint16_t tonePortaSpeed = 0;
  uint8_t tremorParameter = 0;
  uint8_t tremorCounter = 0;
  uint8_t panning = 128;  // 0 left - 255 right
  uint8_t defaultPanning = 128;
  uint8_t vibratoPosition = 0;
  uint8_t vibratoSpeed = 0;
  uint8_t vibratoDepth = 0;
  uint8_t tremoloPosition = 0;
  uint8_t tremoloSpeed = 0;
  uint8_t tremoloDepth = 0;
  uint8_t tremoloSavedVolume = 0;
  uint8_t waveforms = 0;  // bits 0-1 vibrato, bits 4-5 tremolo
  uint8_t tremoloApplied = 0;
  uint8_t tremoloInProgress = 0;
  uint32_t frequency = 0;  // playback rate in Hz
  uint8_t volumeSlideMemory = 0;
  uint16_t fadeVolume = 0;    // 65535 at note start
  uint16_t fadeoutSpeed = 0;  // while nonzero the fade volume applies
  uint8_t volumeEnvelopePoint = 0;
  uint8_t panningEnvelopePoint = 0;
  uint16_t volumeEnvelopeTick = 0;
  uint16_t panningEnvelopeTick = 0;
  uint8_t envelopeVolume = 0;   // 0-64
  uint8_t envelopePanning = 0;  // 0-64, 32 = centre
  uint8_t reserved = 0;
  uint8_t retriggerMemory = 0;
  uint8_t sampleOffsetMemory = 0;
  uint8_t effectParameterMemory = 0;
  uint8_t patternLoopCount = 0;
  uint8_t patternLoopRow = 0;
  uint8_t patternLoopRunning = 0;
  uint8_t patternLoopJump = 0;
};

using EndOfSongCallback = void (*)(int32_t argument);

// Values of the busy byte.
constexpr uint8_t kMixerIdle = 0;
constexpr uint8_t kMixerMixing = 1;   // a mixing pass runs on the streaming thread
constexpr uint8_t kMixerClaimed = 2;  // a client is changing the module or the FX channels

// Every channel and the song position of the module being played.
struct MixerState {
  MixChannel musicChannels[kMusicChannels];
  MixChannel fxChannels[kFxChannels];
  ModuleSlot* currentModule = nullptr;
  uint8_t musicChannelCount = 0;  // channels of the module; 0 when nothing plays
  uint8_t fxChannelCount = 0;
  SharedValue<uint8_t> playing{0};
  SharedValue<uint8_t> loopSong{0};  // at the end, continue at the restart position
  std::atomic<uint8_t> busy{kMixerIdle};
  SharedValue<EndOfSongCallback> endOfSongCallback{nullptr};
  SharedValue<int32_t> endOfSongArgument{0};
  SharedValue<uint8_t> songEnd{0};  // raised when a non-looping song ends
  uint16_t orderIndex = 0;
  uint16_t row = 0xFFFF;  // 0xFFFF before the first row
  uint8_t tick = 0;
  uint8_t tempo = 125;  // BPM
  uint8_t speed = 6;    // ticks per row
  uint8_t jumpMode = 0;  // 0 none, 2 go to the order index, 3 go to the next order
  uint8_t breakRow = 0;
  uint8_t positionJump = 0;  // order index + 1, 0 = none
  uint8_t globalVolume = 64;
  uint8_t patternDelay = 0;
};

// Holds off mixing passes while a client changes the module or the FX channel
// table: waits (yielding) until no pass runs, then keeps the busy byte until
// it goes out of scope. Never take it inside a mixing pass (the player's tick).
class MixerClaim {
 public:
  explicit MixerClaim(MixerState& state);
  ~MixerClaim();
  MixerClaim(const MixerClaim&) = delete;
  MixerClaim& operator=(const MixerClaim&) = delete;

 private:
  MixerState& state_;
};

// Renders exactly byteCount bytes of output in the current format into output.
// Returns at once without writing when a pass is already running.
void Mix(MixSettings& settings, void* output, uint32_t byteCount);

// Sets rate, stereo and 16 bit anew; the tick counter stays a whole number of
// frames. False (nothing changed) for a rate of 0.
bool SetMixFormat(MixSettings& settings, uint16_t rate, bool stereo, bool sixteenBit);
