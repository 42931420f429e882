// The voice loops that use the processor's vector instructions (x86-64
// only): SSE2, which every x86-64 processor has, and AVX2.
#pragma once

#include <cstdint>

#include "mixer/CmixerVoiceLoops.h"

const VoiceLoopTable<int32_t>& Sse2VoiceLoops();
const VoiceLoopTable<int32_t>& Avx2VoiceLoops();
