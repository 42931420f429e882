// The streaming thread: keeps at least one write chunk queued ahead of the
// play cursor, mixing straight into the locked buffer, restores a lost buffer,
// and delivers the end of a song to the end-of-song callback.
#include "output/CplayerStream.h"

#include <chrono>
#include <thread>

#include "output/CplayerDevice.h"

namespace {

void RestoreBuffers(SoundOutput& output) {
  output.playBuffer->Restore();
  output.playBuffer->Play(true);
  if (output.primaryBuffer != nullptr) output.primaryBuffer->Restore();
}

struct LockedRegion {
  void* first = nullptr;
  uint32_t firstBytes = 0;
  void* second = nullptr;
  uint32_t secondBytes = 0;
};

bool LockChunk(SoundOutput& output, uint32_t position, uint32_t chunk, LockedRegion& region) {
  DeviceResult result = output.playBuffer->Lock(position, chunk, &region.first, &region.firstBytes,
                                                &region.second, &region.secondBytes);
  if (result == DeviceResult::BufferLost) {
    output.playBuffer->Restore();
    if (output.primaryBuffer != nullptr) output.primaryBuffer->Restore();
    result = output.playBuffer->Lock(position, chunk, &region.first, &region.firstBytes, &region.second,
                                     &region.secondBytes);
  }
  return result == DeviceResult::Ok;
}

void Pause(const SoundOutput& output) {
  const auto pause = std::chrono::milliseconds(output.bufferMilliseconds.load() / 4);
  if (pause.count() == 0) {
    std::this_thread::yield();
  } else {
    std::this_thread::sleep_for(pause);
  }
}

// Mixes one chunk at the write position, which moves past it. False when
// the buffer could not be locked (nothing written).
bool WriteChunk(SoundOutput& output, uint32_t& position, uint32_t chunk) {
  LockedRegion region;
  const bool locked = LockChunk(output, position, chunk, region);
  if (locked) {
    Mix(*output.settings, region.first, region.firstBytes);
    position += region.firstBytes;
    if (region.second != nullptr) {
      Mix(*output.settings, region.second, region.secondBytes);
      position = region.secondBytes;
    }
    output.playBuffer->Unlock(region.first, region.firstBytes, region.second, region.secondBytes);
  }
  DeliverSongEnd(*output.settings->mixerState);
  return locked;
}

}  // namespace

void DeliverSongEnd(MixerState& state) {
  if (!state.songEnd.exchange(0)) return;
  const EndOfSongCallback callback = state.endOfSongCallback;
  if (callback != nullptr) callback(state.endOfSongArgument);
}

void StreamOutput(SoundOutput& output) {
  uint32_t writePosition = output.writeChunk;
  while (!output.stopRequest) {
    uint32_t status = 0;
    output.playBuffer->GetStatus(status);
    if (status & kStatusBufferLost) RestoreBuffers(output);
    uint32_t playCursor = 0;
    output.playBuffer->GetCurrentPosition(playCursor);
    const uint32_t chunk = output.writeChunk;
    uint32_t queued = writePosition - playCursor;
    if (writePosition < playCursor) queued += output.bufferSize;
    // A device that stays lost is retried at the same pace as a full buffer.
    if (queued >= chunk || !WriteChunk(output, writePosition, chunk)) Pause(output);
    if (writePosition >= output.bufferSize) writePosition = 0;
  }
  output.stopRequest = 0;
}
