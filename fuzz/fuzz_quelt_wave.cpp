// Feeds arbitrary bytes to the WAVE reader; a sound it accepts must have
// its data and both guard samples readable, and a refused one leaves the
// slot free.
#include <cstddef>
#include <cstdint>

#include "DSound/Player/model/Cmodule.h"
#include "DSound/Player/loaders/CWave.h"
#include "quelt_loader_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  SampleSlot slot;
  if (!LoadWaveFromMemory(slot, data, size)) {
    fuzzing::Require(slot.length == 0 && slot.Data() == nullptr);
    return 0;
  }
  fuzzing::Require(slot.length > 0 && slot.length <= kMaxSampleLength);
  fuzzing::Require(slot.loopEnd == slot.length && !(slot.flags & SampleFlag::Loop));
  volatile int sink = fuzzing::SumSample(slot);
  (void)sink;
  return 0;
}
