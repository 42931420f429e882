// The output: opens the sound device with the mixer's format, keeps its
// looping buffer filled from a streaming thread of its own, and calls the
// end-of-song callback when the player raises the song-end notification.
#pragma once

#include <cstdint>
#include <thread>

#include "mixer/Cmixer.h"

// The client's window, passed through to the sound device (the same
// declaration as the exported functions').
struct HWND__;
typedef HWND__* HWND;

class SoundDevice;
class SoundBuffer;

constexpr uint32_t kSecondaryBufferBytes = 65536;

// Cooperative levels as the client numbers them.
constexpr uint32_t kOutputWritePrimary = 0;
constexpr uint32_t kOutputExclusive = 1;
constexpr uint32_t kOutputPriority = 2;

struct SoundOutput {
  SharedValue<uint8_t> stopRequest{0};  // set by the client, cleared by the thread as it ends
  std::thread thread;
  HWND window = nullptr;
  uint32_t cooperativeLevel = kOutputExclusive;
  SoundDevice* device = nullptr;
  uint32_t bufferSize = 0;  // bytes of the play buffer
  SharedValue<uint32_t> writeChunk{4096};
  SharedValue<uint16_t> bufferMilliseconds{50};
  SoundBuffer* playBuffer = nullptr;
  SoundBuffer* primaryBuffer = nullptr;  // only beside a secondary play buffer
  bool running = false;
  MixSettings* settings = nullptr;
};

// Opens the device, starts the looping buffer and the streaming thread;
// stops a running output first. False (output stopped) when any step fails.
bool StartOutput(SoundOutput& output, HWND window);

// Asks the thread to stop, waits for it, releases buffers and device.
// False when the output was not running.
bool StopOutput(SoundOutput& output);

// Stores a new format (a running output restarts with it and the result is
// the restart's). A rate of 0 is refused.
bool SetOutputFormat(SoundOutput& output, uint16_t rate, bool stereo, bool sixteenBit);

// Stores a cooperative level (0-2; a running output restarts with it).
bool SetOutputLevel(SoundOutput& output, uint32_t level);

// Stores how far ahead of the play cursor the buffer is kept filled; a
// running output recomputes its write chunk at once.
void SetOutputBufferLength(SoundOutput& output, uint16_t milliseconds);

// Write chunk from the buffer length: at least 256 bytes, at most half the
// buffer, a multiple of 4; the buffer length is then what the chunk holds.
void ComputeWriteChunk(SoundOutput& output);
