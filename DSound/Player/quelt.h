// Quelt: a software mixer that plays one tracker module (XM, S3M, MOD, QLT)
// and short samples, and streams the mix to the sound device from a thread of
// its own. Everything is addressed by small indices; no handles are given out.
// Results are bool or an index with -1 for failure; nothing is raised.
#pragma once

#define QUELT_API __attribute__((visibility("default")))

// The client's window, passed through to the sound device; the library never
// looks inside it.
struct HWND__;
typedef HWND__* HWND;

// Points to the version text "Quelt v 0.1.1 beta".
QUELT_API extern char* QLT_ID;

// Set-up and shutdown.
QUELT_API bool QueltInit(int moduleSlots, int sampleSlots, int fxChannels);
QUELT_API bool QueltUninit();
QUELT_API bool QueltStartMixer(HWND window);
QUELT_API bool QueltStopMixer();

// Modules. The file is read from the given byte offset on.
QUELT_API int QueltLoadModule(char* fileName, unsigned long offset);
QUELT_API bool QueltUnloadModule(int module);
QUELT_API bool QueltPlayModule(int module);
QUELT_API bool QueltPlayModule(int module, bool loop);
QUELT_API bool QueltStopModule();

// Samples: RIFF WAVE files, or buffers the client fills with signed 8-bit or
// signed 16-bit little-endian mono PCM.
QUELT_API int QueltLoadSample(char* fileName, unsigned long offset);
QUELT_API bool QueltUnloadSample(int sample);
QUELT_API int QueltCreateSample(unsigned char** data, unsigned long length, unsigned short frequency,
                                bool sixteenBit);
QUELT_API bool QueltSetSampleLoop(int sample, int start, int end, unsigned char flags);

// FX channels. Volumes 0-64, panning 0 (left) - 255 (right), frequency in Hz
// (0: the sample's own rate).
QUELT_API int QueltPlaySample(int sample, unsigned char volume, unsigned char panning,
                              unsigned short frequency);
QUELT_API bool QueltStopAllSamples();
QUELT_API void QueltStopChannel(int channel);
QUELT_API bool QueltSetChannelMode(int channel, unsigned char volume, unsigned char panning,
                                   unsigned short frequency);

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

// Play lists: modules played one after the other. The array stays the
// caller's and must stay valid while the list plays.
QUELT_API bool QueltStartPlayList(int* list, int count, bool loop);
QUELT_API void QueltStopPlayList();

// The settings dialog, owned by the given window.
QUELT_API bool QueltSettingsDialog(HWND parent);
