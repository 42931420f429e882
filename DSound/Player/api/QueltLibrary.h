// The library's one set of global state behind the exported functions:
// slot tables, mixer records, output and play list.
#pragma once

#include <memory>
#include <mutex>

#include "mixer/Cmixer.h"
#include "model/Cmodule.h"
#include "output/Cplayer.h"

// Modules played one after the other; the advance step runs on the
// streaming thread as the end-of-song callback.
struct PlayList {
  std::mutex mutex;  // between the client and the advance step
  int* entries = nullptr;  // the caller's array
  int count = 0;           // 0: no list
  bool loop = false;
  int current = 0;
};

struct QueltLibrary {
  QueltLibrary();
  ~QueltLibrary();

  std::unique_ptr<ModuleSlot[]> modules;
  int moduleSlots = 0;
  std::unique_ptr<SampleSlot[]> samples;
  int sampleSlots = 0;
  int fxChannels = 0;  // as given to QueltInit, at most 32
  MixSettings settings;
  MixerState mixer;
  SoundOutput output;
  bool mixerStarted = false;
  bool initialised = false;
  PlayList playList;
};

QueltLibrary& Library();

bool ValidModuleIndex(int module);
bool ValidSampleIndex(int sample);

// Starts a module with the loop flag as given (the flag is set even when the
// start fails). Takes the mixer itself.
bool StartModule(int module, bool loop);
void StopModule();

// Marks every FX channel inactive and sets the FX channel count to the count
// given to QueltInit. Call with the mixer claimed.
void ResetFxChannels(QueltLibrary& library);
