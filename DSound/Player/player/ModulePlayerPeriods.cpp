// The three period systems of the module player and their tables.
#include "player/ModulePlayerPeriods.h"

#include <algorithm>
#include <cmath>

namespace quelt {

// 8363 x 16 x P for the octave-0 periods 1712, 1616, ... 907.
const uint32_t kC2RateOctaveBase[12] = {
    8363u * 16 * 1712, 8363u * 16 * 1616, 8363u * 16 * 1524, 8363u * 16 * 1440,
    8363u * 16 * 1356, 8363u * 16 * 1280, 8363u * 16 * 1208, 8363u * 16 * 1140,
    8363u * 16 * 1076, 8363u * 16 * 1016, 8363u * 16 * 960,  8363u * 16 * 907,
};

// One octave of periods in eighths of a semitone (finetune steps), plus the
// first period of the next octave so that interpolation may read one past.
const uint16_t kAmigaFinetunePeriods[kPeriodTableFinetuneSteps] = {
    856, 850, 844, 838, 832, 826, 820, 814, 808, 802, 796, 791, 785, 779, 774, 768,
    762, 757, 752, 746, 741, 736, 730, 725, 720, 715, 709, 704, 699, 694, 689, 684,
    678, 675, 670, 665, 660, 655, 651, 646, 640, 636, 632, 628, 623, 619, 614, 610,
    604, 601, 597, 592, 588, 584, 580, 575, 570, 567, 563, 559, 555, 551, 547, 543,
    538, 535, 532, 528, 524, 520, 516, 513, 508, 505, 502, 498, 494, 491, 487, 484,
    480, 477, 474, 470, 467, 463, 460, 457, 453, 450, 447, 443, 440, 437, 434, 431,
    428,
};

namespace {

constexpr int kHighestLinearNote = 118;
constexpr uint32_t kC2RateClock = 14317056;
constexpr uint32_t kAmigaClock = 14317456;
constexpr double kLinearMiddleRate = 8363.0;
constexpr double kLinearMiddlePeriod = 4608.0;
constexpr double kLinearPeriodsPerOctave = 768.0;

// Semitones above C-0 including the sample's relative note, kept on the table.
int TableNote(int note, int relativeNote) {
  return std::clamp(note + relativeNote - 1, 0, kHighestLinearNote);
}

}  // namespace

PeriodSystem PeriodSystemFromFlags(uint8_t flags) {
  if (flags & SampleFlag::C2Rate) return PeriodSystem::C2Rate;
  if (flags & SampleFlag::Linear) return PeriodSystem::Linear;
  return PeriodSystem::Amiga;
}

SampleTuning TuningOf(const SampleSlot* sample) {
  if (!sample) return SampleTuning{};
  return SampleTuning{PeriodSystemFromFlags(sample->flags), sample->tuning, sample->relativeNote,
                      sample->Finetune()};
}

uint32_t C2RatePeriod(int note, uint32_t c2Rate) {
  if (c2Rate == 0) return kNoSamplePeriod;
  const int n = std::max(note, 0);
  const int octave = std::min(n / 12, 31);
  return (kC2RateOctaveBase[n % 12] >> octave) / c2Rate;
}

uint32_t LinearPeriod(int note, int relativeNote, int finetune) {
  const int m = TableNote(note, relativeNote);
  return static_cast<uint32_t>(7680 - 64 * m - finetune / 2);
}

uint32_t AmigaPeriod(int note, int relativeNote, int finetune) {
  const int m = TableNote(note, relativeNote);
  const int fraction = finetune & 15;
  const int step = std::max(0, 8 * (m % 12) + (finetune >> 4));
  const uint32_t blended = (16 - fraction) * kAmigaFinetunePeriods[step] +
                           fraction * kAmigaFinetunePeriods[step + 1];
  return (blended * 2) >> (m / 12);
}

uint32_t NotePeriod(const SampleTuning& tuning, int note) {
  switch (tuning.system) {
    case PeriodSystem::C2Rate: return C2RatePeriod(note, tuning.c2Rate);
    case PeriodSystem::Linear: return LinearPeriod(note, tuning.relativeNote, tuning.finetune);
    case PeriodSystem::Amiga: return AmigaPeriod(note, tuning.relativeNote, tuning.finetune);
    case PeriodSystem::None: break;
  }
  return kNoSamplePeriod;
}

uint32_t PeriodFrequency(PeriodSystem system, uint32_t period) {
  if (period == 0) return 0;
  switch (system) {
    case PeriodSystem::Linear: {
      const double octaves = (kLinearMiddlePeriod - period) / kLinearPeriodsPerOctave;
      return static_cast<uint32_t>(kLinearMiddleRate * std::exp2(octaves));
    }
    case PeriodSystem::Amiga: return kAmigaClock / period;
    case PeriodSystem::C2Rate:
    case PeriodSystem::None: break;
  }
  return kC2RateClock / period;
}

}  // namespace quelt
