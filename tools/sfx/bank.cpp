#include "tools/sfx/bank.h"

#include <cmath>
#include <limits>
#include <stdexcept>

#include "graphics/packs/deltadecode.h"
#include "graphics/packs/format.h"
#include "tools/packer/packwriter.h"
#include "tools/sfx/wave.h"

namespace synth {
namespace {

constexpr uint8_t kMethods[3] = {kMethodWaveDelta4, kMethodWaveDelta6, kMethodWaveDelta8};

int16_t SampleAt(const std::vector<uint8_t>& bytes, size_t index) {
  size_t at = kWaveHeaderBytes + 2 * index;
  return static_cast<int16_t>(bytes[at] | bytes[at + 1] << 8);
}

std::vector<uint8_t> WaveOf(const EffectSound& sound) {
  return MakeWave(ToPcm16(sound.signal), static_cast<uint32_t>(kEffectRate));
}

}  // namespace

double DeltaSignalToError(const std::vector<uint8_t>& wave, uint8_t method) {
  PackInput input{"wave", wave, method, 0};
  std::vector<uint8_t> stored = EncodeEntryData(input);
  std::vector<uint8_t> decoded(wave.size() + 4);
  if (!DeltaDecode(stored.data(), stored.size(), decoded.data(), wave.size(), DeltaBitsOfMethod(method), true)) {
    throw std::runtime_error("a coded effect does not decode");
  }
  double signal = 0, error = 0;
  for (size_t i = 0; i < (wave.size() - kWaveHeaderBytes) / 2; ++i) {
    double original = SampleAt(wave, i), difference = original - SampleAt(decoded, i);
    signal += original * original;
    error += difference * difference;
  }
  if (error == 0) return std::numeric_limits<double>::infinity();
  return 10.0 * std::log10(signal / error);
}

BankChoice ChooseDeltaMethod(const std::vector<uint8_t>& wave, double minimum) {
  BankChoice choice;
  for (int i = 0; i < 3; ++i) choice.ratios[i] = DeltaSignalToError(wave, kMethods[i]);
  int chosen = 0;
  while (chosen < 2 && choice.ratios[chosen] < minimum) ++chosen;
  choice.method = kMethods[chosen];
  choice.storedBytes = EncodeEntryData(PackInput{"wave", wave, choice.method, 0}).size();
  return choice;
}

std::vector<uint8_t> BuildSoundBank(const std::vector<EffectSound>& sounds, std::vector<BankChoice>& choices) {
  std::vector<PackInput> entries;
  choices.clear();
  for (const EffectSound& sound : sounds) {
    std::vector<uint8_t> wave = WaveOf(sound);
    choices.push_back(ChooseDeltaMethod(wave));
    entries.push_back(PackInput{sound.name, std::move(wave), choices.back().method, 0});
  }
  return BuildPack(entries, PackOptions{});
}

}  // namespace synth
