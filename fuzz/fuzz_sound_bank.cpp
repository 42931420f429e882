// The sound bank "sounds.dat". First byte even: the rest is one bank entry,
// taken apart at its fixed WAVE positions and copied as the mixer's mono
// data; the PCM it names must lie inside the entry. First byte odd: the rest
// is the whole bank, loaded into the mixer library as the game's sound
// start-up does; an entry the pack reader finds damaged ends the load (the
// game ends there with the reader's message), and every effect made is a
// sample the library holds.
#include <fcntl.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "DSound/Player/api/quelt.h"
#include "file_harness.h"
#include "graphics/packs/reader.h"
#include "sound/sound_bank.h"

namespace {

void TakeEntryApart(const uint8_t* data, size_t size) {
  TSoundSample sample;
  if (!ReadSoundSample(data, static_cast<uint32_t>(size), sample)) return;
  const uint64_t frameBytes = (sample.stereo ? 2u : 1u) * (sample.sixteenBit ? 2u : 1u);
  fuzzing::Require(sample.frames > 0 && sample.data >= data);
  fuzzing::Require(static_cast<uint64_t>(sample.data - data) + sample.frames * frameBytes <= size);
  std::vector<uint8_t> mono(MonoDataBytes(sample));
  CopyMonoData(sample, mono.data());
}

// The bank's lines on standard error name what could not be loaded; while
// this lives they go nowhere, or every run would write them into the log.
class QuietErrors {
 public:
  QuietErrors() : kept_(dup(STDERR_FILENO)) {
    const int nothing = open("/dev/null", O_WRONLY);
    dup2(nothing, STDERR_FILENO);
    close(nothing);
  }
  ~QuietErrors() {
    dup2(kept_, STDERR_FILENO);
    close(kept_);
  }

 private:
  int kept_;
};

void LoadBank(const uint8_t* data, size_t size) {
  fuzzing::WriteInput(kSoundBankFile, data, size);
  fuzzing::Require(QueltInit(1, kBankSampleCount, 4));
  try {
    QuietErrors quiet;
    for (int sample : LoadSoundBank()) fuzzing::Require(sample >= -1 && sample < kBankSampleCount);
  } catch (const fuzzing::RuntimeFailure&) {
  }
  QueltUninit();
}

[[noreturn]] void EndLoad(const std::string& message) { throw fuzzing::RuntimeFailure(message); }

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  fuzzing::EnterScratchFolder("fuzz-sound-bank");
  SetPackAbortHandler(EndLoad);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  if (data[0] & 1) {
    LoadBank(data + 1, size - 1);
  } else {
    TakeEntryApart(data + 1, size - 1);
  }
  return 0;
}
