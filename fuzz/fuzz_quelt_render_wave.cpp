// The WAVE reader of the render tool (it reads the reference player's files
// and any file a user names).
#include <cstddef>
#include <cstdint>

#include "wavefile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  WaveData wave;
  if (ParseWave(data, size, wave)) {
    volatile size_t sink = wave.bytes.size() + wave.channels + wave.bits;
    (void)sink;
  }
  return 0;
}
