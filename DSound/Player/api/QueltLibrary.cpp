// The library's global state and the helpers the exported functions share.

#include "api/QueltLibrary.h"

#include <algorithm>

#include "api/quelt.h"
#include "player/ModulePlayer.h"

namespace {
char versionText[] = "Quelt v 0.1.1 beta";
}  // namespace

QUELT_API char* QLT_ID = versionText;

QueltLibrary::QueltLibrary() {
  settings.mixerState = &mixer;
  output.settings = &settings;
}

// A client that never stopped the mixer still gets its thread ended cleanly
// when the library goes away.
QueltLibrary::~QueltLibrary() { StopOutput(output); }

QueltLibrary& Library() {
  static QueltLibrary library;
  return library;
}

bool ValidModuleIndex(int module) {
  const QueltLibrary& library = Library();
  return module >= 0 && module < library.moduleSlots && library.modules != nullptr;
}

bool ValidSampleIndex(int sample) {
  const QueltLibrary& library = Library();
  return sample >= 0 && sample < library.sampleSlots && library.samples != nullptr;
}

bool StartModule(int module, bool loop) {
  QueltLibrary& library = Library();
  MixerClaim claim(library.mixer);
  library.mixer.loopSong = 0;
  bool started = false;
  if (ValidModuleIndex(module)) started = PlayerStart(library.mixer, library.modules[module]);
  if (loop) library.mixer.loopSong = 1;
  return started;
}

void StopModule() {
  QueltLibrary& library = Library();
  MixerClaim claim(library.mixer);
  PlayerStop(library.mixer);
}

void ResetFxChannels(QueltLibrary& library) {
  for (MixChannel& channel : library.mixer.fxChannels) {
    channel.startRequest = 0;
    channel.active = 0;
  }
  library.mixer.fxChannelCount = static_cast<uint8_t>(std::clamp(library.fxChannels, 0, kFxChannels));
}
