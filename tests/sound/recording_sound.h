// A mixer and a host for the sound side's tests, set in place of the quelt
// library and the system while the object lives. Every mixer call but the
// two master volumes is written down in order; of the volumes the last of
// each is kept, with their count. Created samples get buffers of the
// library's sizes, kept here. The sound thread waits on the test's clock:
// it makes a pass only when the test grants a tick.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <filesystem>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "sound/sound.h"
#include "sound/sound_host.h"
#include "sound/sound_mixer.h"
#include "sound/sound_thread.h"

namespace sound_testing {

struct CreatedSample {
  unsigned long length = 0;
  std::vector<uint8_t> buffer;  // length + 2 samples, as the library allocates
};

class RecordingSound : public SoundMixer, public SoundHost {
 public:
  RecordingSound() {
    SetSoundMixer(this);
    SetSoundHost(this);
  }
  ~RecordingSound() override {
    ShutdownSound();
    SetSoundMixer(nullptr);
    SetSoundHost(nullptr);
  }

  std::vector<std::string> Calls() {
    std::lock_guard<std::mutex> lock(mutex_);
    return calls_;
  }
  void ClearCalls() {
    std::lock_guard<std::mutex> lock(mutex_);
    calls_.clear();
  }

  // How the mixer answers: creations (counted from QueltInit, from 1) that
  // fail, each leaving behind a pointer that must not be written through.
  std::set<int> failingCreations;
  std::vector<uint8_t> refusedBuffer = std::vector<uint8_t>(256, 0xEE);
  bool directoryEntered = true;
  // What it was given.
  HWND startWindow = nullptr;
  bool threadRanAtUninit = false;
  std::map<int, CreatedSample> samples;  // by sample number

  // ---- the sound thread's clock ----
  // Lets the thread make `ticks` more passes of its loop (its first pass
  // comes as it starts) and returns once it waits again.
  void RunTicks(int ticks) {
    std::unique_lock<std::mutex> lock(mutex_);
    ticksWanted_ += static_cast<uint64_t>(ticks);
    for (;;) {
      changed_.wait(lock, [&] { return waitsBegun_ > ticksGranted_; });
      if (waitsBegun_ >= ticksWanted_) return;
      ++ticksGranted_;
      changed_.notify_all();
    }
  }
  // The master volumes after each of `ticks` ticks.
  struct Volumes {
    std::vector<int> music, fx;
  };
  Volumes Record(int ticks) {
    Volumes volumes;
    for (int i = 0; i < ticks; ++i) {
      RunTicks(1);
      std::lock_guard<std::mutex> lock(mutex_);
      volumes.music.push_back(musicVolume_);
      volumes.fx.push_back(fxVolume_);
    }
    return volumes;
  }
  int VolumeCalls() {
    std::lock_guard<std::mutex> lock(mutex_);
    return volumeCalls_;
  }
  std::set<uint32_t> SleepLengths() {
    std::lock_guard<std::mutex> lock(mutex_);
    return sleepLengths_;
  }

  // ---- SoundHost ----
  bool EnterProgramDirectory() override { return Log("EnterProgramDirectory"), directoryEntered; }
  void Sleep(uint32_t milliseconds, const std::atomic<bool>& stop) override {
    std::unique_lock<std::mutex> lock(mutex_);
    sleepLengths_.insert(milliseconds);
    const uint64_t wait = ++waitsBegun_;
    changed_.notify_all();
    changed_.wait(lock, [&] { return ticksGranted_ >= wait || stop; });
  }
  void Wake() override {
    { std::lock_guard<std::mutex> lock(mutex_); }
    changed_.notify_all();
  }

  // ---- SoundMixer ----
  bool QueltInit(int moduleSlots, int sampleSlots, int fxChannels) override {
    creations_ = 0;  // a fresh library numbers its samples from the start
    samples.clear();
    return Log("QueltInit", {moduleSlots, sampleSlots, fxChannels}), true;
  }
  bool SetDSCooperativeLevel(unsigned long level) override { return Log("SetDSCooperativeLevel", {int(level)}), true; }
  bool QueltSetBlockSize(unsigned short milliseconds) override { return Log("QueltSetBlockSize", {milliseconds}), true; }
  bool QueltStartMixer(HWND window) override { return startWindow = window, Log("QueltStartMixer"), true; }
  int QueltLoadModule(const char* fileName, unsigned long offset) override {
    Log("QueltLoadModule(" + std::string(fileName) + ", " + std::to_string(offset) + ")");
    return std::filesystem::exists(fileName) ? 0 : -1;
  }
  int QueltCreateSample(unsigned char** data, unsigned long length, unsigned short frequency,
                        bool sixteenBit) override {
    const int creation = ++creations_;
    Log("QueltCreateSample", {int(length), frequency, sixteenBit ? 16 : 8});
    if (failingCreations.count(creation) != 0) {
      *data = refusedBuffer.data();
      return -1;
    }
    const int index = 9 + creation;  // numbers the game could not guess
    samples[index] = CreatedSample{length, std::vector<uint8_t>((length + 2) * (sixteenBit ? 2 : 1), 0xEE)};
    *data = samples[index].buffer.data();
    return index;
  }
  int QueltPlaySample(int sample, unsigned char volume, unsigned char panning, unsigned short frequency) override {
    return Log("QueltPlaySample", {sample, volume, panning, frequency}), 1;
  }
  bool QueltPlayModule(int module, bool loop) override {
    return Log("QueltPlayModule(" + std::to_string(module) + (loop ? ", loop)" : ")")), true;
  }
  bool QueltStopModule() override { return Log("QueltStopModule"), true; }
  void QueltSetFXVolume(unsigned char volume) override { SetVolume(fxVolume_, volume); }
  void QueltSetMusicVolume(unsigned char volume) override { SetVolume(musicVolume_, volume); }
  bool QueltUnloadModule(int module) override { return Log("QueltUnloadModule", {module}), true; }
  bool QueltStopAllSamples() override { return Log("QueltStopAllSamples"), true; }
  bool QueltStopMixer() override { return Log("QueltStopMixer"), true; }
  bool QueltUninit() override {
    threadRanAtUninit = threadRanAtUninit || SoundThreadRunning();
    return Log("QueltUninit"), true;
  }

 private:
  void Log(const std::string& call, std::initializer_list<int> values = {}) {
    std::string text = call;
    for (int value : values) text += (text == call ? "(" : ", ") + std::to_string(value);
    if (values.size() != 0) text += ")";
    std::lock_guard<std::mutex> lock(mutex_);
    calls_.push_back(text);
  }
  void SetVolume(int& volume, unsigned char value) {
    std::lock_guard<std::mutex> lock(mutex_);
    volume = value;
    ++volumeCalls_;
  }

  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<std::string> calls_;
  int musicVolume_ = kStartVolume;  // the mixer's defaults
  int fxVolume_ = kStartVolume;
  int volumeCalls_ = 0;
  std::set<uint32_t> sleepLengths_;
  int creations_ = 0;
  uint64_t waitsBegun_ = 0, ticksGranted_ = 0, ticksWanted_ = 0;
};

// A volume curve told as runs of equal steps from `start`, such as
// "-3 x25 to 26, held 175".
inline std::string DescribeCurve(int start, const std::vector<int>& curve) {
  std::string text;
  int previous = start;
  for (size_t i = 0; i < curve.size();) {
    const int step = curve[i] - previous;
    int run = 0;
    for (; i < curve.size() && curve[i] - previous == step; ++i, ++run) previous = curve[i];
    text += text.empty() ? "" : ", ";
    if (step == 0) {
      text += "held " + std::to_string(run);
    } else {
      text += (step > 0 ? "+" : "") + std::to_string(step) + " x" + std::to_string(run) + " to " + std::to_string(previous);
    }
  }
  return text;
}

}  // namespace sound_testing
