// The exported functions work on the library's one global state; each test
// starts from a fresh QueltInit and ends with QueltUninit.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "api/QueltLibrary.h"
#include "api/quelt.h"

struct ApiTest : ::testing::Test {
  void SetUp() override {
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    ASSERT_TRUE(QueltInit(2, 8, 3));
  }
  void TearDown() override { QueltUninit(); }

  static QueltLibrary& library() { return Library(); }
  static MixChannel& fx(int channel) { return Library().mixer.fxChannels[channel]; }

  // Runs the mixer on this thread for byteCount bytes (a tick comes first
  // when the counter has run out).
  static void MixBytes(uint32_t byteCount) {
    std::vector<uint8_t> bytes(byteCount);
    Mix(Library().settings, bytes.data(), byteCount);
  }
  static void RunTick() {
    Library().settings.tickCounter = 0;
    MixBytes(4);
  }

  // A created 8-bit sample of the given length filled with value.
  static int MakeSample(unsigned long length, int8_t value = 40, unsigned short frequency = 22050) {
    unsigned char* data = nullptr;
    const int sample = QueltCreateSample(&data, length, frequency, false);
    if (sample >= 0) std::memset(data, static_cast<unsigned char>(value), length);
    return sample;
  }
};
