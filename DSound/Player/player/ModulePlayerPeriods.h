// Periods of the module player: a smaller period is a higher pitch. Each
// sample is tuned in one of three systems, chosen by its flags.
#pragma once

#include <cstdint>

#include "model/Cmodule.h"

namespace quelt {

enum class PeriodSystem : uint8_t {
  None,    // no sample: a fixed period, never heard
  C2Rate,  // tuned by the sample's playback rate of middle C
  Linear,  // 64 period units per semitone
  Amiga,   // the classic period table with finetune
};

// What a period system needs to know about a sample.
struct SampleTuning {
  PeriodSystem system = PeriodSystem::None;
  uint32_t c2Rate = 0;     // Hz, for C2Rate
  int relativeNote = 0;    // semitones, for Linear and Amiga
  int finetune = 0;        // signed, 1/128 semitone, for Linear and Amiga
};

constexpr uint32_t kNoSamplePeriod = 2000;
constexpr uint32_t kLowestPeriod = 40;
constexpr uint32_t kHighestPeriod = 40000;
constexpr int kPeriodTableFinetuneSteps = 97;

// Picks the period system from a sample's flags (C2 rate wins over linear).
PeriodSystem PeriodSystemFromFlags(uint8_t flags);
// The tuning of a sample of the module; no sample has none.
SampleTuning TuningOf(const SampleSlot* sample);

// The period of a note in each system. Notes are the pattern's note numbers
// (1 = C-0); results may exceed 16 bits for very low notes or rates.
uint32_t C2RatePeriod(int note, uint32_t c2Rate);
uint32_t LinearPeriod(int note, int relativeNote, int finetune);
uint32_t AmigaPeriod(int note, int relativeNote, int finetune);
uint32_t NotePeriod(const SampleTuning& tuning, int note);

// Playback rate in Hz of a period (expected within 40..40000).
uint32_t PeriodFrequency(PeriodSystem system, uint32_t period);

// The tables behind the formulas, exposed for tests.
extern const uint32_t kC2RateOctaveBase[12];       // 8363 x 16 x the octave-0 periods
extern const uint16_t kAmigaFinetunePeriods[kPeriodTableFinetuneSteps];

}  // namespace quelt
