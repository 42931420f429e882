// tervane-sfx: synthesises the game's eight sound effects and packs them
// into the sound bank.
//
//   tervane-sfx BANK.dat [--wav DIR]
//
// writes the bank (and, with --wav, DIR/NAME.wav for every effect) and
// prints, per effect, its length, peak level, the signal-to-error ratio of
// each delta coding and the one chosen.
#include <cstdio>
#include <exception>
#include <string>

#include "tools/sfx/bank.h"
#include "tools/sfx/effects.h"
#include "tools/sfx/wave.h"

namespace {

void PrintEffect(int number, const synth::EffectSound& sound, const synth::BankChoice& choice) {
  std::printf("%d %-8s %5.0f ms  peak %6.2f dBFS  S/E 4/6/8 bits %5.1f %5.1f %5.1f dB  method %d, %zu bytes\n",
              number, sound.name.c_str(), sound.signal.Seconds() * 1000.0,
              synth::Decibels(synth::PeakLevel(sound.signal)), choice.ratios[0], choice.ratios[1], choice.ratios[2],
              choice.method, choice.storedBytes);
}

void WriteWaves(const std::string& folder, const std::vector<synth::EffectSound>& sounds) {
  for (const synth::EffectSound& sound : sounds) {
    auto wave = synth::MakeWave(synth::ToPcm16(sound.signal), static_cast<uint32_t>(synth::kEffectRate));
    synth::WriteWholeFile(folder + "/" + sound.name + ".wav", wave);
  }
}

}  // namespace

int main(int argc, char** argv) {
  bool withWaves = argc == 4 && std::string(argv[2]) == "--wav";
  if (argc != 2 && !withWaves) {
    std::fprintf(stderr, "usage: tervane-sfx BANK.dat [--wav DIR]\n");
    return 2;
  }
  try {
    auto sounds = synth::MakeEffectSounds();
    std::vector<synth::BankChoice> choices;
    synth::WriteWholeFile(argv[1], synth::BuildSoundBank(sounds, choices));
    if (withWaves) WriteWaves(argv[3], sounds);
    for (size_t i = 0; i < sounds.size(); ++i) PrintEffect(static_cast<int>(i + 1), sounds[i], choices[i]);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "tervane-sfx: %s\n", error.what());
    return 1;
  }
  return 0;
}
