// The sound device under the output: a device object with a cooperative
// level, a primary buffer and looping secondary buffers. A buffer is a ring
// of bytes whose play cursor the system's audio callback advances; the writer
// locks a region ahead of the cursor, fills it and unlocks it. The device only
// offers buffers, positions, locking, play and stop; streaming is the
// output's business.
#pragma once

#include <cstdint>

enum class DeviceResult { Ok, Failed, BufferLost };

// Cooperative levels.
constexpr uint32_t kLevelWritePrimary = 1;
constexpr uint32_t kLevelExclusive = 2;
constexpr uint32_t kLevelPriority = 3;

// Buffer creation flags.
constexpr uint32_t kBufferPrimary = 0x00001;
constexpr uint32_t kBufferPositionNotify = 0x00100;
constexpr uint32_t kBufferGlobalFocus = 0x08000;
constexpr uint32_t kBufferGetCurrentPosition2 = 0x10000;

// Buffer status bits.
constexpr uint32_t kStatusPlaying = 0x1;
constexpr uint32_t kStatusBufferLost = 0x2;
constexpr uint32_t kStatusLooping = 0x4;

// Size the primary buffer reports once its format is set.
constexpr uint32_t kPrimaryBufferBytes = 32768;

struct WaveFormat {
  uint16_t formatTag = 1;  // PCM
  uint16_t channels = 2;
  uint32_t samplesPerSecond = 44100;
  uint32_t averageBytesPerSecond = 176400;
  uint16_t blockAlign = 4;
  uint16_t bitsPerSample = 16;
};

class SoundDevice;

class SoundBuffer {
 public:
  DeviceResult SetFormat(const WaveFormat& format);  // primary buffer only
  DeviceResult GetCaps(uint32_t& bufferBytes);
  DeviceResult Play(bool looping);
  DeviceResult Stop();
  DeviceResult GetStatus(uint32_t& status);
  DeviceResult GetCurrentPosition(uint32_t& playCursor);
  DeviceResult Lock(uint32_t offset, uint32_t bytes, void** first, uint32_t* firstBytes, void** second,
                    uint32_t* secondBytes);
  DeviceResult Unlock(void* first, uint32_t firstBytes, void* second, uint32_t secondBytes);
  DeviceResult Restore();
  void Release();

  struct State;  // defined by the device code

 private:
  friend class SoundDevice;
  explicit SoundBuffer(SoundDevice& device, State* state);
  ~SoundBuffer();
  SoundDevice& device_;
  State* state_;
};

class SoundDevice {
 public:
  // Opens the default audio device; Failed when the system has none.
  static DeviceResult Create(SoundDevice** device);
  DeviceResult SetCooperativeLevel(const void* window, uint32_t level);
  DeviceResult CreateSoundBuffer(uint32_t flags, const WaveFormat* format, uint32_t bytes,
                                 SoundBuffer** buffer);
  void Release();

  // Makes the device read as removed, as an unplugged device does (tests).
  void SimulateDeviceLoss();

  struct State;  // defined by the device code

 private:
  friend class SoundBuffer;
  static void FillStream(void* device, uint8_t* stream, int length);  // the audio callback
  SoundBuffer* PlayingBuffer();
  bool Lost();
  bool OpenAudio(const WaveFormat& format);
  void CloseAudio();
  void UpdatePause();
  SoundDevice();
  ~SoundDevice();
  State* state_;
};
