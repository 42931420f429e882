#include "sound/sound_mixer.h"

#include <string>

namespace {

// The quelt library itself.
class LibraryMixer final : public SoundMixer {
 public:
  bool QueltInit(int moduleSlots, int sampleSlots, int fxChannels) override {
    return ::QueltInit(moduleSlots, sampleSlots, fxChannels);
  }
  bool SetDSCooperativeLevel(unsigned long level) override { return ::SetDSCooperativeLevel(level); }
  bool QueltSetBlockSize(unsigned short milliseconds) override { return ::QueltSetBlockSize(milliseconds); }
  bool QueltStartMixer(HWND window) override { return ::QueltStartMixer(window); }
  int QueltLoadModule(const char* fileName, unsigned long offset) override {
    std::string name(fileName);  // the export takes a writable name
    return ::QueltLoadModule(name.data(), offset);
  }
  int QueltCreateSample(unsigned char** data, unsigned long length, unsigned short frequency,
                        bool sixteenBit) override {
    return ::QueltCreateSample(data, length, frequency, sixteenBit);
  }
  int QueltPlaySample(int sample, unsigned char volume, unsigned char panning,
                      unsigned short frequency) override {
    return ::QueltPlaySample(sample, volume, panning, frequency);
  }
  bool QueltPlayModule(int module, bool loop) override { return ::QueltPlayModule(module, loop); }
  bool QueltStopModule() override { return ::QueltStopModule(); }
  void QueltSetFXVolume(unsigned char volume) override { ::QueltSetFXVolume(volume); }
  void QueltSetMusicVolume(unsigned char volume) override { ::QueltSetMusicVolume(volume); }
  bool QueltUnloadModule(int module) override { return ::QueltUnloadModule(module); }
  bool QueltStopAllSamples() override { return ::QueltStopAllSamples(); }
  bool QueltStopMixer() override { return ::QueltStopMixer(); }
  bool QueltUninit() override { return ::QueltUninit(); }
};

LibraryMixer g_library;
SoundMixer* g_mixer = &g_library;

}  // namespace

SoundMixer& Mixer() { return *g_mixer; }

void SetSoundMixer(SoundMixer* mixer) { g_mixer = mixer != nullptr ? mixer : &g_library; }
