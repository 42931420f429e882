// A mixer and a host for the sound side's tests, set in place of the quelt
// library and the system while the object lives. Every mixer call except
// the two master volumes is written down in order; the volumes the sound
// thread sends are kept as the last of each. Samples the sound side creates
// get buffers of the library's sizes, kept here. The sound thread runs one
// tick at a time, when the test says so, on a clock of the test's own.
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
  unsigned short frequency = 0;
  bool sixteenBit = false;
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

  // ---- what happened ----
  std::vector<std::string> Calls() {
    std::lock_guard<std::mutex> lock(mutex_);
    return calls_;
  }
  void ClearCalls() {
    std::lock_guard<std::mutex> lock(mutex_);
    calls_.clear();
  }
  int MusicVolume() {
    std::lock_guard<std::mutex> lock(mutex_);
    return musicVolume_;
  }
  int FxVolume() {
    std::lock_guard<std::mutex> lock(mutex_);
    return fxVolume_;
  }
  // Volumes or other calls that reached the mixer after QueltUninit.
  int CallsAfterUninit() {
    std::lock_guard<std::mutex> lock(mutex_);
    return callsAfterUninit_;
  }
  bool ThreadRanAtUninit() const { return threadRanAtUninit_; }
  std::map<int, CreatedSample>& Samples() { return samples_; }

  // ---- how the mixer answers ----
  // Creations (counted from 1) that fail; each leaves a buffer pointer
  // behind that must not be written through.
  std::set<int> failingCreations;
  std::vector<uint8_t> refusedBuffer = std::vector<uint8_t>(256, 0xEE);

  // ---- the sound thread's clock ----
  // Lets the sound thread run until it has made `ticks` more passes of its
  // loop (counting from its first pass, which it makes as it starts) and
  // waits again; each wait is one tick of 30 ms.
  void RunTicks(int ticks) {
    std::unique_lock<std::mutex> lock(mutex_);
    ticksCounted_ += static_cast<uint64_t>(ticks);
    for (;;) {
      changed_.wait(lock, [&] { return waitsBegun_ > ticksGranted_; });
      if (waitsBegun_ >= ticksCounted_) return;
      ++ticksGranted_;
      changed_.notify_all();
    }
  }
  // The master volumes the mixer has after each of `ticks` ticks.
  struct Volumes {
    std::vector<int> music, fx;
  };
  Volumes Record(int ticks) {
    Volumes volumes;
    for (int i = 0; i < ticks; ++i) {
      RunTicks(1);
      volumes.music.push_back(MusicVolume());
      volumes.fx.push_back(FxVolume());
    }
    return volumes;
  }
  // How many times each master volume was sent.
  int VolumeCalls() {
    std::lock_guard<std::mutex> lock(mutex_);
    return volumeCalls_;
  }

  // ---- SoundHost ----
  bool EnterProgramDirectory() override {
    Log("EnterProgramDirectory");
    return directoryEntered;  // the test's own folder stays current
  }
  void Sleep(uint32_t milliseconds, const std::atomic<bool>& stop) override {
    std::unique_lock<std::mutex> lock(mutex_);
    const uint64_t wait = ++waitsBegun_;
    changed_.notify_all();
    changed_.wait(lock, [&] { return ticksGranted_ >= wait || stop; });
    if (milliseconds != kSoundTickMilliseconds) ++wrongTicks_;
  }
  void Wake() override {
    { std::lock_guard<std::mutex> lock(mutex_); }
    changed_.notify_all();
  }
  int WrongTicks() {
    std::lock_guard<std::mutex> lock(mutex_);
    return wrongTicks_;
  }

  // ---- SoundMixer ----
  bool QueltInit(int moduleSlots, int sampleSlots, int fxChannels) override {
    Log("QueltInit(" + Join({moduleSlots, sampleSlots, fxChannels}) + ")");
    std::lock_guard<std::mutex> lock(mutex_);
    uninitialised_ = false;
    creations_ = 0;  // a fresh library numbers its samples from the start
    samples_.clear();
    return true;
  }
  bool SetDSCooperativeLevel(unsigned long level) override {
    Log("SetDSCooperativeLevel(" + std::to_string(level) + ")");
    return true;
  }
  bool QueltSetBlockSize(unsigned short milliseconds) override {
    Log("QueltSetBlockSize(" + std::to_string(milliseconds) + ")");
    return true;
  }
  bool QueltStartMixer(HWND window) override {
    startWindow = window;
    Log("QueltStartMixer");
    return true;
  }
  int QueltLoadModule(const char* fileName, unsigned long offset) override {
    Log("QueltLoadModule(" + std::string(fileName) + ", " + std::to_string(offset) + ")");
    return std::filesystem::exists(fileName) ? 0 : -1;
  }
  int QueltCreateSample(unsigned char** data, unsigned long length, unsigned short frequency,
                        bool sixteenBit) override {
    const int creation = ++creations_;
    Log("QueltCreateSample(" + std::to_string(length) + ", " + std::to_string(frequency) + ", " +
        (sixteenBit ? "16" : "8") + ")");
    if (failingCreations.count(creation) != 0) {
      *data = refusedBuffer.data();  // handed out all the same: nothing may land in it
      return -1;
    }
    // Sample numbers the game could not guess: 10 and up.
    const int index = 9 + creation;
    CreatedSample& sample = samples_[index];
    sample = CreatedSample{length, frequency, sixteenBit, {}};
    sample.buffer.assign((length + 2) * (sixteenBit ? 2 : 1), 0xEE);
    *data = sample.buffer.data();
    return index;
  }
  int QueltPlaySample(int sample, unsigned char volume, unsigned char panning,
                      unsigned short frequency) override {
    Log("QueltPlaySample(" + Join({sample, volume, panning, frequency}) + ")");
    return 1;
  }
  bool QueltPlayModule(int module, bool loop) override {
    Log("QueltPlayModule(" + std::to_string(module) + (loop ? ", loop)" : ")"));
    return true;
  }
  bool QueltStopModule() override {
    Log("QueltStopModule");
    return true;
  }
  void QueltSetFXVolume(unsigned char volume) override {
    std::lock_guard<std::mutex> lock(mutex_);
    fxVolume_ = volume;
    ++volumeCalls_;
    if (uninitialised_) ++callsAfterUninit_;
  }
  void QueltSetMusicVolume(unsigned char volume) override {
    std::lock_guard<std::mutex> lock(mutex_);
    musicVolume_ = volume;
    ++volumeCalls_;
    if (uninitialised_) ++callsAfterUninit_;
  }
  bool QueltUnloadModule(int module) override {
    Log("QueltUnloadModule(" + std::to_string(module) + ")");
    return true;
  }
  bool QueltStopAllSamples() override {
    Log("QueltStopAllSamples");
    return true;
  }
  bool QueltStopMixer() override {
    Log("QueltStopMixer");
    return true;
  }
  bool QueltUninit() override {
    threadRanAtUninit_ = threadRanAtUninit_ || SoundThreadRunning();
    Log("QueltUninit");
    std::lock_guard<std::mutex> lock(mutex_);
    uninitialised_ = true;
    return true;
  }

  HWND startWindow = nullptr;
  bool directoryEntered = true;

 private:
  static std::string Join(std::initializer_list<int> values) {
    std::string text;
    for (int value : values) text += (text.empty() ? "" : ", ") + std::to_string(value);
    return text;
  }
  void Log(const std::string& call) {
    std::lock_guard<std::mutex> lock(mutex_);
    calls_.push_back(call);
    if (uninitialised_) ++callsAfterUninit_;
  }

  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<std::string> calls_;
  int musicVolume_ = kStartVolume;  // the mixer's defaults
  int fxVolume_ = kStartVolume;
  bool uninitialised_ = false;
  int callsAfterUninit_ = 0;
  bool threadRanAtUninit_ = false;
  int creations_ = 0;
  std::map<int, CreatedSample> samples_;
  uint64_t waitsBegun_ = 0;
  uint64_t ticksGranted_ = 0;
  uint64_t ticksCounted_ = 0;
  int volumeCalls_ = 0;
  int wrongTicks_ = 0;
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
    if (!text.empty()) text += ", ";
    if (step == 0) {
      text += "held " + std::to_string(run);
    } else {
      text += (step > 0 ? "+" : "") + std::to_string(step) + " x" + std::to_string(run) + " to " +
              std::to_string(previous);
    }
  }
  return text;
}

}  // namespace sound_testing
