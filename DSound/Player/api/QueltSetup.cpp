// Exported set-up: initialisation and shutdown, the output, its format and
// the mixing controls.
#include "api/QueltSetup.h"

#include <algorithm>
#include <new>

#include "api/QueltLibrary.h"
#include "player/ModulePlayer.h"

namespace {

void ForgetPlayList(QueltLibrary& library) {
  std::lock_guard<std::mutex> lock(library.playList.mutex);
  library.mixer.endOfSongCallback = nullptr;
  library.playList.count = 0;
  library.playList.entries = nullptr;
}

void ReleaseSlots(QueltLibrary& library) {
  for (int i = 0; i < library.moduleSlots && library.modules != nullptr; ++i) FreeModule(library.modules[i]);
  for (int i = 0; i < library.sampleSlots && library.samples != nullptr; ++i) FreeSample(library.samples[i]);
  library.modules.reset();
  library.samples.reset();
  library.moduleSlots = 0;
  library.sampleSlots = 0;
}

}  // namespace

QUELT_API bool QueltInit(int moduleSlots, int sampleSlots, int fxChannels) {
  QueltLibrary& library = Library();
  if (library.initialised) QueltUninit();
  library.moduleSlots = std::max(moduleSlots, 0);
  library.sampleSlots = std::max(sampleSlots, 0);
  library.fxChannels = std::min(fxChannels, kFxChannels);
  library.modules.reset(new (std::nothrow) ModuleSlot[static_cast<size_t>(library.moduleSlots)]);
  library.samples.reset(new (std::nothrow) SampleSlot[static_cast<size_t>(library.sampleSlots)]);
  {
    MixerClaim claim(library.mixer);
    ResetFxChannels(library);
  }
  library.initialised = true;
  return true;
}

QUELT_API bool QueltUninit() {
  QueltLibrary& library = Library();
  library.mixerStarted = false;
  const bool stopped = StopOutput(library.output);
  ForgetPlayList(library);
  {
    // Nothing may keep playing from the slots about to be freed.
    MixerClaim claim(library.mixer);
    PlayerStop(library.mixer);
    library.mixer.currentModule = nullptr;
    ResetFxChannels(library);
  }
  library.initialised = false;
  ReleaseSlots(library);
  return stopped;
}

QUELT_API bool QueltStartMixer(HWND window) {
  QueltLibrary& library = Library();
  if (library.mixerStarted) return true;
  library.mixerStarted = StartOutput(library.output, window);
  return library.mixerStarted;
}

QUELT_API bool QueltStopMixer() {
  QueltLibrary& library = Library();
  library.mixerStarted = false;
  return StopOutput(library.output);
}

QUELT_API bool QueltSetMode(unsigned short rate, bool stereo, bool sixteenBit) {
  QueltLibrary& library = Library();
  const bool result = SetOutputFormat(library.output, rate, stereo, sixteenBit);
  // A restart that failed leaves the output stopped; the mixer may be started again.
  if (library.mixerStarted) library.mixerStarted = library.output.running;
  return result;
}

QUELT_API bool SetDSCooperativeLevel(unsigned long level) {
  QueltLibrary& library = Library();
  const bool result = SetOutputLevel(library.output, static_cast<uint32_t>(std::min(level, 0xFFFFFFFFul)));
  if (library.mixerStarted) library.mixerStarted = library.output.running;
  return result;
}

QUELT_API bool QueltSetBlockSize(unsigned short milliseconds) {
  SetOutputBufferLength(Library().output, milliseconds);
  return true;
}

QUELT_API void QueltSetStereoSeparation(unsigned char separation) {
  Library().settings.stereoSeparation = separation;
}

QUELT_API void QueltSetInterpolation(int interpolation) {
  if (interpolation >= 0 && interpolation <= 2) Library().settings.interpolation = interpolation;
}

QUELT_API void QueltSetMusicVolume(unsigned char volume) { Library().settings.musicVolume = volume; }
QUELT_API void QueltSetFXVolume(unsigned char volume) { Library().settings.fxVolume = volume; }
QUELT_API unsigned char QueltGetMusicVolume() { return Library().settings.musicVolume; }
QUELT_API unsigned char QueltGetFXVolume() { return Library().settings.fxVolume; }
