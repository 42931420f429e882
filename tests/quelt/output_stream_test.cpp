// The output over SDL's dummy audio driver: a real device, a real streaming
// thread, start, stop, restarts, a lost device and the end-of-song callback.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <thread>
#include <vector>

#include "output/Cplayer.h"
#include "output/CplayerDevice.h"
#include "mixer_fixture.h"

namespace {

bool WaitFor(const std::function<bool()>& condition, int milliseconds = 5000) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
  while (std::chrono::steady_clock::now() < deadline) {
    if (condition()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return condition();
}

struct OutputTest : ::testing::Test {
  TestMixer mixer;
  SoundOutput output;
  std::vector<int8_t> data = Samples8(std::vector<int8_t>(4410, 60));  // 0.1 s at 44100 Hz

  void SetUp() override {
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    output.settings = mixer.settings.get();
    mixer.state->fxChannelCount = 1;
  }
  void TearDown() override { StopOutput(output); }

  // Starts the test voice on FX channel 0 the way the API does.
  void StartVoice() {
    MixerClaim claim(*mixer.state);
    MixChannel& fx = mixer.state->fxChannels[0];
    SetVoice(fx, data, 0, 0);
    fx.active = 0;
    fx.volume = 64;
    fx.frequency = 44100;
    fx.startRequest = 1;
  }

  // True once the streaming thread has started the voice and played it out.
  bool VoicePlaysOut() {
    StartVoice();
    MixChannel& fx = mixer.state->fxChannels[0];
    return WaitFor([&] { return !fx.startRequest && !fx.active; });
  }
};

// Guards against a wrong write chunk: 350 ms at 44100 Hz stereo 16-bit is
// 61740 bytes, held to half the 65536-byte buffer; the length becomes 185 ms.
TEST_F(OutputTest, ChunkIsHeldToHalfTheBuffer) {
  output.bufferSize = 65536;
  output.bufferMilliseconds = 350;
  ComputeWriteChunk(output);
  EXPECT_EQ(output.writeChunk.load(), 32768u);
  EXPECT_EQ(output.bufferMilliseconds.load(), 185);
  SetMixFormat(*mixer.settings, 11025, false, false);
  output.bufferMilliseconds = 1;
  ComputeWriteChunk(output);
  EXPECT_EQ(output.writeChunk.load(), 256u);
  EXPECT_EQ(output.bufferMilliseconds.load(), 256 * 1000 / 11025);
}

// Guards against an output that starts without streaming, or whose stop
// leaves the thread behind: the thread mixes (a voice plays out in real
// time), and stop ends it; a second stop reports false.
TEST_F(OutputTest, StartStreamsAndStopEndsTheThread) {
  ASSERT_TRUE(StartOutput(output, nullptr));
  EXPECT_TRUE(output.running);
  EXPECT_EQ(output.bufferSize, kSecondaryBufferBytes);
  EXPECT_NE(output.primaryBuffer, nullptr);
  EXPECT_EQ(output.writeChunk.load(), 8820u);  // 50 ms
  EXPECT_TRUE(VoicePlaysOut());
  EXPECT_TRUE(StopOutput(output));
  EXPECT_FALSE(output.running);
  EXPECT_FALSE(output.thread.joinable());
  EXPECT_EQ(output.stopRequest.load(), 0);
  EXPECT_EQ(output.device, nullptr);
  EXPECT_FALSE(StopOutput(output));
}

// Guards against the direct-primary level using a secondary buffer, or its
// buffer size not coming from the primary buffer.
TEST_F(OutputTest, WritePrimaryLevelStreamsIntoThePrimaryBuffer) {
  EXPECT_TRUE(SetOutputLevel(output, kOutputWritePrimary));
  ASSERT_TRUE(StartOutput(output, nullptr));
  EXPECT_EQ(output.primaryBuffer, nullptr);
  EXPECT_EQ(output.bufferSize, kPrimaryBufferBytes);
  EXPECT_TRUE(VoicePlaysOut());
}

// Guards against format and level changes that do not restart a running
// output, or restart it with the old values.
TEST_F(OutputTest, FormatAndLevelChangesRestartTheOutput) {
  ASSERT_TRUE(StartOutput(output, nullptr));
  EXPECT_TRUE(SetOutputFormat(output, 22050, false, false));
  EXPECT_TRUE(output.running);
  EXPECT_EQ(mixer.settings->rate.load(), 22050);
  EXPECT_EQ(mixer.settings->formatFlags.load(), 0);
  EXPECT_EQ(output.writeChunk.load(), 1100u);  // 50 ms of 22050 Hz mono 8-bit
  EXPECT_TRUE(VoicePlaysOut());
  EXPECT_TRUE(SetOutputLevel(output, kOutputPriority));
  EXPECT_TRUE(output.running);
  EXPECT_EQ(output.cooperativeLevel, kOutputPriority);
  EXPECT_TRUE(VoicePlaysOut());
  EXPECT_FALSE(SetOutputFormat(output, 0, true, true));
  EXPECT_TRUE(output.running);
}

// Guards against a lost device stopping the sound for good: the thread
// restores the buffer and goes on streaming.
TEST_F(OutputTest, LostDeviceIsRestored) {
  ASSERT_TRUE(StartOutput(output, nullptr));
  EXPECT_TRUE(VoicePlaysOut());
  output.device->SimulateDeviceLoss();
  EXPECT_TRUE(VoicePlaysOut());
}

std::atomic<int> callbackCalls{0};
std::atomic<int> callbackArgument{0};
void CountSongEnd(int32_t argument) {
  callbackArgument = argument;
  ++callbackCalls;
}

// Guards against the song-end notification being lost or delivered twice:
// the thread clears it and calls the callback once with its argument.
TEST_F(OutputTest, SongEndCallsTheCallbackOnce) {
  callbackCalls = 0;
  mixer.state->endOfSongArgument = 7;
  mixer.state->endOfSongCallback = CountSongEnd;
  ASSERT_TRUE(StartOutput(output, nullptr));
  mixer.state->songEnd = 1;
  EXPECT_TRUE(WaitFor([] { return callbackCalls.load() == 1; }));
  EXPECT_EQ(callbackArgument.load(), 7);
  EXPECT_EQ(mixer.state->songEnd.load(), 0);
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_EQ(callbackCalls.load(), 1);
}

// Guards against buffer lock arithmetic: a region that wraps at the end of
// the ring comes back in two parts; a region larger than the buffer is refused.
TEST(SoundDeviceTest, LockSplitsAtTheEndOfTheRing) {
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  SoundDevice* device = nullptr;
  ASSERT_EQ(SoundDevice::Create(&device), DeviceResult::Ok);
  ASSERT_EQ(device->SetCooperativeLevel(nullptr, kLevelPriority), DeviceResult::Ok);
  WaveFormat format;
  SoundBuffer* buffer = nullptr;
  ASSERT_EQ(device->CreateSoundBuffer(0, &format, 1000, &buffer), DeviceResult::Ok);
  void* first;
  void* second;
  uint32_t firstBytes, secondBytes;
  ASSERT_EQ(buffer->Lock(900, 300, &first, &firstBytes, &second, &secondBytes), DeviceResult::Ok);
  EXPECT_EQ(firstBytes, 100u);
  EXPECT_EQ(secondBytes, 200u);
  EXPECT_EQ(buffer->Lock(0, 4, &first, &firstBytes, &second, &secondBytes), DeviceResult::Failed);
  EXPECT_EQ(buffer->Unlock(first, firstBytes, second, secondBytes), DeviceResult::Ok);
  EXPECT_EQ(buffer->Lock(0, 1001, &first, &firstBytes, &second, &secondBytes), DeviceResult::Failed);
  SoundBuffer* primary = nullptr;
  ASSERT_EQ(device->CreateSoundBuffer(kBufferPrimary, nullptr, 0, &primary), DeviceResult::Ok);
  EXPECT_EQ(primary->Lock(0, 4, &first, &firstBytes, &second, &secondBytes), DeviceResult::Failed);
  device->Release();
}

}  // namespace
