// The mixer calls of the game's sound in one place. The game plays through
// the quelt library's exported functions; tests put a mixer of their own in
// its place to see every call the sound side makes.
#pragma once

#include "quelt.h"

class SoundMixer {
 public:
  virtual ~SoundMixer() = default;

  virtual bool QueltInit(int moduleSlots, int sampleSlots, int fxChannels) = 0;
  virtual bool SetDSCooperativeLevel(unsigned long level) = 0;
  virtual bool QueltSetBlockSize(unsigned short milliseconds) = 0;
  virtual bool QueltStartMixer(HWND window) = 0;
  virtual int QueltLoadModule(const char* fileName, unsigned long offset) = 0;
  virtual int QueltCreateSample(unsigned char** data, unsigned long length, unsigned short frequency,
                                bool sixteenBit) = 0;
  virtual int QueltPlaySample(int sample, unsigned char volume, unsigned char panning,
                              unsigned short frequency) = 0;
  virtual bool QueltPlayModule(int module, bool loop) = 0;
  virtual bool QueltStopModule() = 0;
  // The only two calls the sound thread makes.
  virtual void QueltSetFXVolume(unsigned char volume) = 0;
  virtual void QueltSetMusicVolume(unsigned char volume) = 0;
  virtual bool QueltUnloadModule(int module) = 0;
  virtual bool QueltStopAllSamples() = 0;
  virtual bool QueltStopMixer() = 0;
  virtual bool QueltUninit() = 0;
};

// The mixer the sound side drives: the one a test set, else the library.
SoundMixer& Mixer();
// Set while no sound thread runs; nullptr gives the library back.
void SetSoundMixer(SoundMixer* mixer);
