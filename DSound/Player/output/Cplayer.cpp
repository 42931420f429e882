// Starting, stopping and reconfiguring the output.
#include "output/Cplayer.h"

#include <sys/resource.h>
#include <unistd.h>
#include <algorithm>

#include "base/Error.h"
#include "output/CplayerDevice.h"
#include "output/CplayerStream.h"

namespace {

WaveFormat FormatOf(const MixSettings& settings) {
  const uint8_t flags = settings.formatFlags;
  WaveFormat format;
  format.channels = (flags & kFormatStereo) ? 2 : 1;
  format.samplesPerSecond = settings.rate;
  format.bitsPerSample = (flags & kFormat16Bit) ? 16 : 8;
  format.blockAlign = static_cast<uint16_t>(format.channels * format.bitsPerSample / 8);
  format.averageBytesPerSecond = format.samplesPerSecond * format.blockAlign;
  return format;
}

uint32_t DeviceLevel(uint32_t level) {
  if (level == kOutputWritePrimary) return kLevelWritePrimary;
  if (level == kOutputExclusive) return kLevelExclusive;
  return kLevelPriority;
}

void ReleaseBuffers(SoundOutput& output) {
  if (output.playBuffer != nullptr) {
    output.playBuffer->Stop();
    output.playBuffer->Release();
  }
  if (output.primaryBuffer != nullptr) {
    output.primaryBuffer->Stop();
    output.primaryBuffer->Release();
  }
  output.playBuffer = output.primaryBuffer = nullptr;
  output.bufferSize = 0;
}

void ReleaseDevice(SoundOutput& output) {
  ReleaseBuffers(output);
  if (output.device != nullptr) output.device->Release();
  output.device = nullptr;
}

// Creates the primary buffer and, except when writing to it directly, the
// secondary buffer that plays.
bool SetUpBuffers(SoundOutput& output) {
  const WaveFormat format = FormatOf(*output.settings);
  const uint32_t level = DeviceLevel(output.cooperativeLevel);
  SoundBuffer* primary = nullptr;
  bool ok = output.device->SetCooperativeLevel(output.window, level) == DeviceResult::Ok &&
            output.device->CreateSoundBuffer(kBufferPrimary, nullptr, 0, &primary) == DeviceResult::Ok;
  uint32_t primaryBytes = 0;
  ok = ok && primary->SetFormat(format) == DeviceResult::Ok && primary->GetCaps(primaryBytes) == DeviceResult::Ok;
  if (ok && level == kLevelWritePrimary) {
    output.playBuffer = primary;
    output.bufferSize = primaryBytes;
    return true;
  }
  output.primaryBuffer = primary;
  SoundBuffer* secondary = nullptr;
  ok = ok && output.device->CreateSoundBuffer(kBufferGetCurrentPosition2 | kBufferGlobalFocus |
                                                  kBufferPositionNotify,
                                              &format, kSecondaryBufferBytes, &secondary) == DeviceResult::Ok;
  if (!ok) {
    ReleaseBuffers(output);
    return false;
  }
  output.playBuffer = secondary;
  output.bufferSize = kSecondaryBufferBytes;
  return true;
}

void RaiseThreadPriority() {
  // Best effort: a higher priority needs a privilege the process may lack.
  setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), -10);
}

}  // namespace

bool StartOutput(SoundOutput& output, HWND window) {
  if (output.running) StopOutput(output);
  output.window = window;
  if (SoundDevice::Create(&output.device) != DeviceResult::Ok) {
    SetLastFailure("no audio device can be opened");
    return false;
  }
  if (!SetUpBuffers(output) || output.playBuffer->Play(true) != DeviceResult::Ok) {
    SetLastFailure("the audio device refused the format or the buffers");
    ReleaseDevice(output);
    return false;
  }
  ComputeWriteChunk(output);
  output.stopRequest = 0;
  output.thread = std::thread([&output] {
    RaiseThreadPriority();
    StreamOutput(output);
  });
  output.running = true;
  return true;
}

bool StopOutput(SoundOutput& output) {
  if (!output.running) return false;
  output.stopRequest = 1;
  while (output.stopRequest) std::this_thread::yield();
  if (output.thread.joinable()) output.thread.join();
  ReleaseDevice(output);
  output.running = false;
  return true;
}

bool SetOutputFormat(SoundOutput& output, uint16_t rate, bool stereo, bool sixteenBit) {
  if (rate == 0) return false;
  const bool restart = output.running;
  if (restart) StopOutput(output);
  {
    // The tick counter is the mixing pass's: another client thread may be
    // mixing (or running ticks) while this one changes the format.
    MixerClaim claim(*output.settings->mixerState);
    SetMixFormat(*output.settings, rate, stereo, sixteenBit);
  }
  return !restart || StartOutput(output, output.window);
}

bool SetOutputLevel(SoundOutput& output, uint32_t level) {
  if (!output.running) {
    output.cooperativeLevel = level;
    return true;
  }
  StopOutput(output);
  output.cooperativeLevel = level;
  return StartOutput(output, output.window);
}

void SetOutputBufferLength(SoundOutput& output, uint16_t milliseconds) {
  output.bufferMilliseconds = milliseconds;
  if (output.running) ComputeWriteChunk(output);
}

void ComputeWriteChunk(SoundOutput& output) {
  const uint64_t frameBytes = BytesPerFrame(output.settings->formatFlags);
  const uint64_t rate = output.settings->rate;
  uint64_t chunk = rate * output.bufferMilliseconds.load() * frameBytes / 1000;
  chunk = std::min<uint64_t>(std::max<uint64_t>(chunk, 256), output.bufferSize / 2);
  chunk &= ~uint64_t{3};
  output.writeChunk = static_cast<uint32_t>(chunk);
  output.bufferMilliseconds = static_cast<uint16_t>(chunk * 1000 / (frameBytes * rate));
}
