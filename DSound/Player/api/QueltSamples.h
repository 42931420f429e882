// Exported samples and FX channels.
#pragma once

#include "QueltExport.h"

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
