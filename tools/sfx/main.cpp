// tervane-sfx: synthesises the game's eight sound effects.
//
//   tervane-sfx --wav DIR     writes DIR/NAME.wav for every effect
//
// and prints, per effect, its length and peak level.
#include <cstdio>
#include <exception>
#include <string>

#include "tools/sfx/effects.h"
#include "tools/sfx/wave.h"

namespace {

void PrintEffect(int number, const synth::EffectSound& sound) {
  std::printf("%d %-8s %6.0f ms  peak %6.2f dBFS\n", number, sound.name.c_str(),
              sound.signal.Seconds() * 1000.0, synth::Decibels(synth::PeakLevel(sound.signal)));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3 || std::string(argv[1]) != "--wav") {
    std::fprintf(stderr, "usage: tervane-sfx --wav DIR\n");
    return 2;
  }
  try {
    std::string folder = argv[2];
    auto sounds = synth::MakeEffectSounds();
    for (size_t i = 0; i < sounds.size(); ++i) {
      auto wave = synth::MakeWave(synth::ToPcm16(sounds[i].signal), static_cast<uint32_t>(synth::kEffectRate));
      synth::WriteWholeFile(folder + "/" + sounds[i].name + ".wav", wave);
      PrintEffect(static_cast<int>(i + 1), sounds[i]);
    }
  } catch (const std::exception& error) {
    std::fprintf(stderr, "tervane-sfx: %s\n", error.what());
    return 1;
  }
  return 0;
}
