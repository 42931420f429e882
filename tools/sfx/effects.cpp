#include "tools/sfx/effects.h"

#include <cmath>

#include "tools/sfx/envelope.h"
#include "tools/sfx/filter.h"
#include "tools/sfx/oscillator.h"

namespace synth {
namespace {

constexpr double kRate = kEffectRate;

// Every effect ends the same way: no offset, soft edges, a fixed peak.
Signal Finish(Signal signal, double fadeIn, double fadeOut, double peakDecibels) {
  RemoveOffset(signal);
  ApplyFades(signal, fadeIn, fadeOut);
  NormalisePeak(signal, std::pow(10.0, peakDecibels / 20.0));
  return signal;
}

// A short soft pluck: a few quickly fading partials and a breath of noise.
// It repeats quickly while empty cells open one after another.
Signal CellOpen() {
  const Partial partials[] = {{1.0, 1.0, 0.026}, {2.0, 0.26, 0.012}, {3.01, 0.07, 0.007}};
  Signal tone = Partials(kRate, 0.085, 660.0, partials);
  RandomSource random(101);
  Signal touch = WhiteNoise(kRate, 0.012, random);
  Filter(touch, FilterKind::Bandpass, 2400.0, 1.0);
  Shape(touch, Decay(0.002));
  MixInto(tone, touch, 0.0, 0.25);
  Filter(tone, FilterKind::Lowpass, 3000.0);
  return Finish(tone, 0.0015, 0.012, -6.0);
}

// A crisp click: a bright tick of noise over two fast-fading tones.
Signal ButtonClick() {
  const Partial partials[] = {{1.0, 0.8, 0.007}, {2.03, 0.4, 0.004}};
  Signal tone = Partials(kRate, 0.04, 1850.0, partials);
  RandomSource random(202);
  Signal tick = WhiteNoise(kRate, 0.01, random);
  Filter(tick, FilterKind::Highpass, 3000.0);
  Shape(tick, Decay(0.0012));
  MixInto(tone, tick, 0.0, 0.9);
  return Finish(tone, 0.0004, 0.008, -6.0);
}

// The deep part of the radiation blast: a falling sine, a rumble and a thump.
Signal Boom(double seconds, RandomSource& random) {
  Signal boom = Oscillator(kRate, seconds, Waveform::Sine, ExponentialGlide(92.0, 36.0, 0.9));
  Shape(boom, AttackDecay(0.012, 0.45));
  Signal rumble = WhiteNoise(kRate, seconds, random);
  Filter(rumble, FilterKind::Lowpass, 160.0, 0.7071, 2);
  Shape(rumble, AttackDecay(0.03, 0.40));
  NormalisePeak(rumble, 0.6);
  Signal thump = WhiteNoise(kRate, 0.25, random);
  Filter(thump, FilterKind::Lowpass, 700.0);
  Shape(thump, Decay(0.035));
  NormalisePeak(thump, 0.5);
  MixInto(boom, rumble, 0.0);
  MixInto(boom, thump, 0.0);
  return boom;
}

// The crackle of radiation: dense ticks that swell and thin out.
Signal RadiationCrackle(double seconds, RandomSource& random) {
  Curve density = Breakpoints({{0.0, 80}, {0.12, 420}, {0.7, 260}, {1.4, 30}, {seconds, 10}});
  Signal crackle = Crackle(kRate, seconds, density, random);
  Filter(crackle, FilterKind::Bandpass, 3200.0, 1.4);
  Filter(crackle, FilterKind::Highpass, 900.0);
  Shape(crackle, Breakpoints({{0.0, 1.0}, {0.9, 0.8}, {seconds, 0.2}}));
  NormalisePeak(crackle, 0.55);
  return crackle;
}

// Stepping on a radiated area that ends the map: crackle over a low boom.
Signal RadiationBurst() {
  const double seconds = 1.6;
  RandomSource random(303);
  Signal burst = Boom(seconds, random);
  MixInto(burst, RadiationCrackle(seconds, random), 0.0);
  return Finish(burst, 0.002, 0.25, -3.0);
}

// A single Geiger counter tick.
Signal GeigerTick() {
  RandomSource random(404);
  Signal tick = WhiteNoise(kRate, 0.02, random);
  Filter(tick, FilterKind::Highpass, 1500.0);
  Shape(tick, Decay(0.0015));
  const Partial ring[] = {{1.0, 0.5, 0.003}};
  MixInto(tick, Partials(kRate, 0.02, 3300.0, ring), 0.0);
  return Finish(tick, 0.0003, 0.005, -6.0);
}

// One brassy note: a band-limited saw through an opening low-pass, with a
// late, gentle vibrato.
Signal BrassNote(double seconds, double frequency, double level) {
  const double pi = std::acos(-1.0);
  Curve pitch = [frequency, pi](double t) {
    double depth = t < 0.25 ? 0.0 : std::min(1.0, (t - 0.25) / 0.3) * 0.004;
    return frequency * (1.0 + depth * std::sin(2.0 * pi * 5.5 * t));
  };
  Signal note = Oscillator(kRate, seconds, Waveform::Saw, pitch);
  Filter(note, FilterKind::Lowpass, Breakpoints({{0.0, 700}, {0.06, 4200}, {0.4, 2400}}), 1.1);
  double release = std::min(0.3, seconds * 0.4);
  double settle = std::min(0.15, seconds - release);
  Shape(note, Breakpoints({{0.0, 0.0}, {0.02, level}, {settle, level * 0.75}, {seconds - release, level * 0.7},
                           {seconds, 0.0}}));
  return note;
}

// A bell-like sparkle of inharmonic partials.
Signal Sparkle(double seconds, double frequency) {
  const Partial partials[] = {
      {1.0, 1.0, 0.5}, {2.76, 0.45, 0.25}, {5.40, 0.2, 0.12}, {8.93, 0.08, 0.06}};
  Signal bell = Partials(kRate, seconds, frequency, partials);
  ApplyFades(bell, 0.002, 0.05);
  return bell;
}

// A new best time: a bright rising fanfare in D major ending on a held chord.
Signal Fanfare() {
  const double seconds = 2.0;
  Signal fanfare(kRate, seconds);
  const double d5 = 587.33, fSharp5 = 739.99, a5 = 880.0, d6 = 1174.66;
  MixInto(fanfare, BrassNote(0.2, d5, 0.8), 0.0);
  MixInto(fanfare, BrassNote(0.2, fSharp5, 0.8), 0.15);
  MixInto(fanfare, BrassNote(0.2, a5, 0.8), 0.30);
  MixInto(fanfare, BrassNote(seconds - 0.45, d6, 0.8), 0.45);
  MixInto(fanfare, BrassNote(seconds - 0.45, a5, 0.45), 0.45);
  MixInto(fanfare, BrassNote(seconds - 0.45, fSharp5, 0.45), 0.45);
  MixInto(fanfare, BrassNote(seconds - 0.45, d5 / 2, 0.5), 0.45);
  MixInto(fanfare, Sparkle(1.2, d6 * 2), 0.45, 0.35);
  Filter(fanfare, FilterKind::Highpass, 120.0);
  return Finish(fanfare, 0.002, 0.3, -4.0);
}

// A soft mallet note for the jingle.
Signal Mallet(double seconds, double frequency) {
  const Partial partials[] = {{1.0, 1.0, 0.35}, {3.0, 0.15, 0.07}, {4.2, 0.06, 0.04}, {2.0, 0.2, 0.15}};
  Signal note = Partials(kRate, seconds, frequency, partials);
  Filter(note, FilterKind::Lowpass, 4000.0);
  ApplyFades(note, 0.003, 0.04);
  return note;
}

// A map finished without a record: a short rising arpeggio in A major.
Signal RisingJingle() {
  const double seconds = 1.0;
  Signal jingle(kRate, seconds);
  const double notes[] = {440.0, 554.37, 659.26, 880.0};
  for (int i = 0; i < 4; ++i) {
    double start = 0.11 * i;
    MixInto(jingle, Mallet(seconds - start, notes[i]), start, i == 3 ? 1.0 : 0.8);
  }
  return Finish(jingle, 0.002, 0.2, -5.0);
}

// A new map shown: a soft upward sweep of filtered noise over a quiet glide.
Signal SoftSweep() {
  const double seconds = 0.6;
  RandomSource random(707);
  Signal sweep = WhiteNoise(kRate, seconds, random);
  Filter(sweep, FilterKind::Bandpass, ExponentialGlide(350.0, 4200.0, seconds), 2.2);
  Smooth(sweep, 6000.0);
  NormalisePeak(sweep, 1.0);
  Signal glide = Oscillator(kRate, seconds, Waveform::Triangle, ExponentialGlide(220.0, 440.0, seconds));
  MixInto(sweep, glide, 0.0, 0.18);
  Shape(sweep, Breakpoints({{0.0, 0.0}, {0.36, 1.0}, {seconds, 0.0}}));
  return Finish(sweep, 0.01, 0.05, -8.0);
}

// Marking a cell: a dull wooden tock (played quietly, so it is made loud).
Signal WoodenTock() {
  const Partial modes[] = {{1.0, 1.0, 0.028}, {2.41, 0.45, 0.011}, {4.07, 0.2, 0.005}};
  Signal tock = Partials(kRate, 0.09, 410.0, modes);
  RandomSource random(808);
  Signal knock = WhiteNoise(kRate, 0.01, random);
  Filter(knock, FilterKind::Lowpass, 1800.0);
  Shape(knock, Decay(0.0025));
  MixInto(tock, knock, 0.0, 0.6);
  Filter(tock, FilterKind::Lowpass, 2600.0);
  return Finish(tock, 0.0008, 0.015, -1.0);
}

}  // namespace

std::vector<EffectSound> MakeEffectSounds() {
  std::vector<EffectSound> sounds;
  sounds.push_back({"open", CellOpen()});
  sounds.push_back({"button", ButtonClick()});
  sounds.push_back({"boom", RadiationBurst()});
  sounds.push_back({"geiger", GeigerTick()});
  sounds.push_back({"fanfare", Fanfare()});
  sounds.push_back({"jingle", RisingJingle()});
  sounds.push_back({"sweep", SoftSweep()});
  sounds.push_back({"tock", WoodenTock()});
  return sounds;
}

}  // namespace synth
