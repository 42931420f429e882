// Exported set-up, shutdown, master volumes and output settings.
#pragma once

#include "QueltExport.h"

// Set-up and shutdown.
QUELT_API bool QueltInit(int moduleSlots, int sampleSlots, int fxChannels);
QUELT_API bool QueltUninit();
QUELT_API bool QueltStartMixer(HWND window);
QUELT_API bool QueltStopMixer();

// Master volumes 0-255 (128 = unity).
QUELT_API void QueltSetMusicVolume(unsigned char volume);
QUELT_API void QueltSetFXVolume(unsigned char volume);
QUELT_API unsigned char QueltGetMusicVolume();
QUELT_API unsigned char QueltGetFXVolume();

// Output format and behaviour.
QUELT_API bool QueltSetMode(unsigned short rate, bool stereo, bool sixteenBit);
QUELT_API bool QueltSetBlockSize(unsigned short milliseconds);
QUELT_API void QueltSetStereoSeparation(unsigned char separation);
QUELT_API void QueltSetInterpolation(int interpolation);  // 0 none, 1 linear, 2 quadratic
// 0 "WRITE PRIMARY", 1 "EXCLUSIVE", 2 "PRIORITY".
QUELT_API bool SetDSCooperativeLevel(unsigned long level);
