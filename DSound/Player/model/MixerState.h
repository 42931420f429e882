// The channels and the song position: 32 music voices (which the module
// player drives) and 32 FX voices, with the state the player keeps beside
// them. The mixer turns them into sound; the player and the exported
// functions change them.
//
// These are memory records, never written to a file, so they keep natural C++
// layout (64-bit pointers, atomics) instead of a packed byte layout. What the
// client's thread and the streaming thread share without a lock is a
// SharedValue (an atomic); everything else is changed either inside a mixing
// pass or by a client holding a MixerClaim (mixer/Cmixer.h).
#pragma once

#include <atomic>
#include <cstdint>

#include "base/SharedValue.h"

struct ModuleSlot;

constexpr int kMusicChannels = 32;
constexpr int kFxChannels = 32;

// Sample flags as a channel carries them (the same bits as a sample's flags).
constexpr uint8_t kChannelLoop = 0x01;
constexpr uint8_t kChannel16Bit = 0x04;
constexpr uint8_t kChannelPingPong = 0x08;

// Envelope flags of a channel.
constexpr uint8_t kEnvelopeVolumeRunning = 0x01;
constexpr uint8_t kEnvelopePanningRunning = 0x02;

constexpr uint16_t kNoSample = 0xFFFF;
constexpr uint16_t kNoInstrument = 0xFFFF;

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
  // The player gave a running voice another sample without a note (MOD); the
  // next tick swaps the voice's data without moving its position.
  uint8_t sampleSwapRequest = 0;
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
