// The sound device over SDL2 audio: the SDL callback plays the device's
// playing buffer from its play cursor and advances the cursor. Bytes that the
// writer has not unlocked yet are never read; the callback plays silence for
// them instead (an underrun), so writer and callback never touch the same
// bytes at once. SDL functions are never called with the device's mutex
// held, since SDL holds its own lock around the callback.
#include "output/CplayerDevice.h"

#include <SDL.h>
#include <algorithm>
#include <atomic>
#include <cstring>
#include <mutex>
#include <new>
#include <vector>

struct SoundBuffer::State {
  bool primary = false;
  bool formatSet = false;
  WaveFormat format;
  std::vector<uint8_t> bytes;  // the ring
  uint8_t silence = 0;
  bool playing = false;
  bool looping = false;
  uint64_t played = 0;       // bytes the callback has consumed since creation
  uint64_t readableEnd = 0;  // bytes before this count may be played
  bool locked = false;
  uint64_t lockEnd = 0;
};

struct SoundDevice::State {
  std::mutex mutex;  // guards the buffers against the audio callback
  SDL_AudioDeviceID audio = 0;
  WaveFormat openFormat;
  uint32_t level = 0;
  std::atomic<bool> simulatedLoss{false};
  std::vector<SoundBuffer*> buffers;
};

namespace {

uint8_t SilenceOf(const WaveFormat& format) { return format.bitsPerSample == 8 ? 0x80 : 0x00; }

bool SameFormat(const WaveFormat& a, const WaveFormat& b) {
  return a.channels == b.channels && a.samplesPerSecond == b.samplesPerSecond &&
         a.bitsPerSample == b.bitsPerSample;
}

bool ValidFormat(const WaveFormat& format) {
  return format.formatTag == 1 && (format.channels == 1 || format.channels == 2) &&
         (format.bitsPerSample == 8 || format.bitsPerSample == 16) && format.samplesPerSecond > 0 &&
         format.blockAlign == format.channels * format.bitsPerSample / 8;
}

void ResetRing(SoundBuffer::State& buffer, uint32_t size) {
  buffer.bytes.assign(size, buffer.silence);
  buffer.readableEnd = buffer.played;
}

// Plays len bytes of a buffer from its cursor: unlocked bytes, then silence.
void PlayFromRing(SoundBuffer::State& buffer, uint8_t* out, uint32_t len) {
  const uint32_t size = static_cast<uint32_t>(buffer.bytes.size());
  const uint64_t readable = buffer.readableEnd > buffer.played ? buffer.readableEnd - buffer.played : 0;
  const uint32_t copied = static_cast<uint32_t>(std::min<uint64_t>(readable, len));
  uint32_t cursor = static_cast<uint32_t>(buffer.played % size);
  for (uint32_t done = 0; done < copied;) {
    const uint32_t piece = std::min(copied - done, size - cursor);
    std::memcpy(out + done, buffer.bytes.data() + cursor, piece);
    done += piece;
    cursor = (cursor + piece) % size;
  }
  std::memset(out + copied, buffer.silence, len - copied);
  const uint64_t before = buffer.played;
  buffer.played += len;
  if (!buffer.looping && buffer.played / size != before / size) {
    buffer.playing = false;
    buffer.played -= buffer.played % size;
  }
}

}  // namespace

// ---- device ----

SoundDevice::SoundDevice() : state_(new State) {}
SoundDevice::~SoundDevice() { delete state_; }

DeviceResult SoundDevice::Create(SoundDevice** device) {
  *device = nullptr;
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return DeviceResult::Failed;
  *device = new (std::nothrow) SoundDevice;
  if (*device == nullptr) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return DeviceResult::Failed;
  }
  return DeviceResult::Ok;
}

DeviceResult SoundDevice::SetCooperativeLevel(const void* /*window*/, uint32_t level) {
  if (level < kLevelWritePrimary || level > kLevelPriority) return DeviceResult::Failed;
  std::lock_guard<std::mutex> lock(state_->mutex);
  state_->level = level;
  return DeviceResult::Ok;
}

DeviceResult SoundDevice::CreateSoundBuffer(uint32_t flags, const WaveFormat* format, uint32_t bytes,
                                            SoundBuffer** buffer) {
  *buffer = nullptr;
  if (state_->level == 0) return DeviceResult::Failed;
  auto* created = new (std::nothrow) SoundBuffer::State;
  if (created == nullptr) return DeviceResult::Failed;
  created->primary = (flags & kBufferPrimary) != 0;
  if (!created->primary) {
    if (format == nullptr || !ValidFormat(*format) || bytes < 4 || bytes > (1u << 24)) {
      delete created;
      return DeviceResult::Failed;
    }
    created->format = *format;
    created->formatSet = true;
    created->silence = SilenceOf(*format);
    ResetRing(*created, bytes);
  }
  std::lock_guard<std::mutex> lock(state_->mutex);
  for (SoundBuffer* existing : state_->buffers) {
    if (created->primary && existing->state_->primary) {
      delete created;
      return DeviceResult::Failed;
    }
  }
  *buffer = new SoundBuffer(*this, created);
  state_->buffers.push_back(*buffer);
  return DeviceResult::Ok;
}

void SoundDevice::Release() {
  CloseAudio();
  for (SoundBuffer* buffer : state_->buffers) delete buffer;
  state_->buffers.clear();
  delete this;
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void SoundDevice::SimulateDeviceLoss() { state_->simulatedLoss = true; }

bool SoundDevice::Lost() {
  return state_->simulatedLoss ||
         (state_->audio != 0 && SDL_GetAudioDeviceStatus(state_->audio) == SDL_AUDIO_STOPPED);
}

bool SoundDevice::OpenAudio(const WaveFormat& format) {
  CloseAudio();
  SDL_AudioSpec wanted{};
  wanted.freq = static_cast<int>(format.samplesPerSecond);
  wanted.format = format.bitsPerSample == 8 ? AUDIO_U8 : AUDIO_S16LSB;
  wanted.channels = static_cast<Uint8>(format.channels);
  wanted.samples = 1024;
  wanted.callback = &SoundDevice::FillStream;
  wanted.userdata = this;
  state_->openFormat = format;
  SDL_AudioSpec obtained{};
  state_->audio = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
  if (state_->audio == 0) return false;
  state_->simulatedLoss = false;
  return true;
}

void SoundDevice::CloseAudio() {
  if (state_->audio != 0) SDL_CloseAudioDevice(state_->audio);
  state_->audio = 0;
}

SoundBuffer* SoundDevice::PlayingBuffer() {
  for (SoundBuffer* buffer : state_->buffers) {
    const SoundBuffer::State& state = *buffer->state_;
    if (!state.playing) continue;
    if (state.primary == (state_->level == kLevelWritePrimary)) return buffer;
  }
  return nullptr;
}

void SoundDevice::UpdatePause() {
  bool sounding;
  {
    std::lock_guard<std::mutex> lock(state_->mutex);
    sounding = PlayingBuffer() != nullptr;
  }
  if (state_->audio != 0) SDL_PauseAudioDevice(state_->audio, sounding ? 0 : 1);
}

void SoundDevice::FillStream(void* userdata, uint8_t* stream, int length) {
  auto* device = static_cast<SoundDevice*>(userdata);
  std::lock_guard<std::mutex> lock(device->state_->mutex);
  SoundBuffer* buffer = device->PlayingBuffer();
  if (buffer == nullptr || !SameFormat(buffer->state_->format, device->state_->openFormat)) {
    std::memset(stream, SilenceOf(device->state_->openFormat), static_cast<size_t>(length));
    return;
  }
  PlayFromRing(*buffer->state_, stream, static_cast<uint32_t>(length));
}

// ---- buffers ----

SoundBuffer::SoundBuffer(SoundDevice& device, State* state) : device_(device), state_(state) {}
SoundBuffer::~SoundBuffer() { delete state_; }

DeviceResult SoundBuffer::SetFormat(const WaveFormat& format) {
  if (!state_->primary || !ValidFormat(format)) return DeviceResult::Failed;
  if (!device_.OpenAudio(format)) return DeviceResult::Failed;
  std::lock_guard<std::mutex> lock(device_.state_->mutex);
  state_->format = format;
  state_->formatSet = true;
  state_->silence = SilenceOf(format);
  ResetRing(*state_, kPrimaryBufferBytes);
  return DeviceResult::Ok;
}

DeviceResult SoundBuffer::GetCaps(uint32_t& bufferBytes) {
  std::lock_guard<std::mutex> lock(device_.state_->mutex);
  bufferBytes = static_cast<uint32_t>(state_->bytes.size());
  return state_->formatSet ? DeviceResult::Ok : DeviceResult::Failed;
}

DeviceResult SoundBuffer::Play(bool looping) {
  if (device_.Lost()) return DeviceResult::BufferLost;
  if (!state_->formatSet) return DeviceResult::Failed;
  if (device_.state_->audio == 0 && !device_.OpenAudio(state_->format)) return DeviceResult::Failed;
  {
    std::lock_guard<std::mutex> lock(device_.state_->mutex);
    state_->playing = true;
    state_->looping = looping;
  }
  device_.UpdatePause();
  return DeviceResult::Ok;
}

DeviceResult SoundBuffer::Stop() {
  {
    std::lock_guard<std::mutex> lock(device_.state_->mutex);
    state_->playing = false;
  }
  device_.UpdatePause();
  return DeviceResult::Ok;
}

DeviceResult SoundBuffer::GetStatus(uint32_t& status) {
  const bool lost = device_.Lost();
  std::lock_guard<std::mutex> lock(device_.state_->mutex);
  status = 0;
  if (state_->playing) status |= kStatusPlaying;
  if (state_->playing && state_->looping) status |= kStatusLooping;
  if (lost) status = kStatusBufferLost;
  return DeviceResult::Ok;
}

DeviceResult SoundBuffer::GetCurrentPosition(uint32_t& playCursor) {
  std::lock_guard<std::mutex> lock(device_.state_->mutex);
  if (state_->bytes.empty()) return DeviceResult::Failed;
  playCursor = static_cast<uint32_t>(state_->played % state_->bytes.size());
  return DeviceResult::Ok;
}

DeviceResult SoundBuffer::Lock(uint32_t offset, uint32_t bytes, void** first, uint32_t* firstBytes,
                               void** second, uint32_t* secondBytes) {
  *first = *second = nullptr;
  *firstBytes = *secondBytes = 0;
  if (device_.Lost()) return DeviceResult::BufferLost;
  std::lock_guard<std::mutex> lock(device_.state_->mutex);
  const uint32_t size = static_cast<uint32_t>(state_->bytes.size());
  if (state_->locked || offset >= size || bytes == 0 || bytes > size) return DeviceResult::Failed;
  if (state_->primary && device_.state_->level != kLevelWritePrimary) return DeviceResult::Failed;
  // Where the region lies relative to the cursor; nothing from its start on
  // (or from the cursor on, when it wraps round to the cursor) is played
  // until it is unlocked.
  const uint32_t cursor = static_cast<uint32_t>(state_->played % size);
  const uint32_t ahead = (offset + size - cursor) % size;
  const uint64_t start = state_->played + ahead;
  const uint64_t safeEnd = ahead + bytes > size ? state_->played : start;
  state_->readableEnd = std::min(state_->readableEnd, safeEnd);
  state_->locked = true;
  state_->lockEnd = start + bytes;
  *first = state_->bytes.data() + offset;
  *firstBytes = std::min(bytes, size - offset);
  if (*firstBytes < bytes) {
    *second = state_->bytes.data();
    *secondBytes = bytes - *firstBytes;
  }
  return DeviceResult::Ok;
}

DeviceResult SoundBuffer::Unlock(void* /*first*/, uint32_t /*firstBytes*/, void* /*second*/,
                                 uint32_t /*secondBytes*/) {
  std::lock_guard<std::mutex> lock(device_.state_->mutex);
  if (!state_->locked) return DeviceResult::Failed;
  state_->locked = false;
  state_->readableEnd = std::min(state_->lockEnd, state_->played + state_->bytes.size());
  return DeviceResult::Ok;
}

DeviceResult SoundBuffer::Restore() {
  if (!device_.Lost()) return DeviceResult::Ok;
  WaveFormat format = device_.state_->openFormat;
  if (!device_.OpenAudio(format)) return DeviceResult::BufferLost;
  {
    std::lock_guard<std::mutex> lock(device_.state_->mutex);
    for (SoundBuffer* buffer : device_.state_->buffers) {
      buffer->state_->locked = false;
      ResetRing(*buffer->state_, static_cast<uint32_t>(buffer->state_->bytes.size()));
    }
  }
  device_.UpdatePause();
  return DeviceResult::Ok;
}

void SoundBuffer::Release() {
  {
    std::lock_guard<std::mutex> lock(device_.state_->mutex);
    auto& buffers = device_.state_->buffers;
    buffers.erase(std::remove(buffers.begin(), buffers.end(), this), buffers.end());
  }
  device_.UpdatePause();
  delete this;
}
