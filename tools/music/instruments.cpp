#include "tools/music/instruments.h"

#include <cmath>

#include "tools/music/looped.h"
#include "tools/music/tuning.h"
#include "tools/sfx/envelope.h"
#include "tools/sfx/filter.h"
#include "tools/sfx/oscillator.h"

namespace music {
namespace {

using synth::Signal;

constexpr int kC2 = NoteOf(2, 0);
constexpr int kC4 = NoteOf(4, 0);
constexpr int kC5 = NoteOf(5, 0);

// Samples rates, as steps of TunedRate.
constexpr int kLowRate = 0;    // 8363 Hz
constexpr int kMidRate = 12;   // 16726 Hz
constexpr int kHighRate = 24;  // 33452 Hz

std::vector<int16_t> Pcm16(const Signal& signal) {
  auto pcm = synth::ToPcm16(signal);
  return {pcm.begin(), pcm.end()};
}

std::vector<int16_t> Pcm8(const Signal& signal) {
  auto pcm = synth::ToPcm8(signal);
  return {pcm.begin(), pcm.end()};
}

Signal FromValues(double rate, std::vector<double> values) {
  Signal signal;
  signal.rate = rate;
  signal.samples = std::move(values);
  return signal;
}

xm::Sample TunedSample(const char* name, int rateSteps, int base) {
  xm::Sample sample;
  sample.name = name;
  sample.relativeNote = RelativeNote(rateSteps, base);
  return sample;
}

xm::Instrument OneSampleInstrument(const char* name, xm::Sample sample) {
  xm::Instrument instrument;
  instrument.name = name;
  instrument.samples.push_back(std::move(sample));
  return instrument;  // the keymap maps every note to sample 0
}

xm::Envelope SustainedEnvelope(std::vector<xm::EnvelopePoint> points, uint8_t sustain) {
  xm::Envelope envelope;
  envelope.points = std::move(points);
  envelope.on = true;
  envelope.sustain = sustain;
  return envelope;
}

xm::Envelope LoopedEnvelope(std::vector<xm::EnvelopePoint> points) {
  xm::Envelope envelope;
  envelope.points = std::move(points);
  envelope.on = true;
  envelope.loop = std::pair<uint8_t, uint8_t>(0, static_cast<uint8_t>(envelope.points.size() - 1));
  return envelope;
}

double PadLevel(int harmonic) { return (harmonic % 2 ? 1.0 : 0.6) / (harmonic * harmonic); }

// A slow, hollow pad of soft harmonics with a gentle pitch wobble and
// swelling overtones: a two-second seamless loop behind a quarter-second
// fade-in.
xm::Instrument Pad() {
  const double rate = TunedRate(kMidRate);
  synth::RandomSource random(11);
  auto partials = WobblingHarmonics(NoteFrequency(kC4), 6, PadLevel, random);
  Signal pad = FromValues(rate, LoopedPartials(rate, 4096, 32768, partials));
  synth::NormalisePeak(pad, 0.9);
  xm::Sample sample = TunedSample("dusk pad", kMidRate, kC4);
  sample.data = Pcm16(pad);
  sample.loop = xm::Loop::Forward;
  sample.loopStart = 4096;
  sample.loopLength = 32768;
  xm::Instrument instrument = OneSampleInstrument("Dusk pad", std::move(sample));
  instrument.volume = SustainedEnvelope({{0, 0}, {16, 40}, {40, 58}, {64, 64}, {100, 24}, {140, 0}}, 3);
  instrument.fadeout = 256;
  return instrument;
}

double BassLevel(int harmonic) {
  const double levels[] = {0, 1.0, 0.35, 0.08, 0.03, 0.01};
  return harmonic < 6 ? levels[harmonic] : 0.0;
}

// A round bass: a loop of a few harmonics, with a brighter thump that dies
// away before the loop begins.
xm::Instrument Bass() {
  const double rate = TunedRate(kLowRate);
  const size_t leadIn = 1024;
  std::vector<LoopedPartial> partials;
  for (int h = 1; h <= 5; ++h) partials.push_back({NoteFrequency(kC2) * h, BassLevel(h), 0.0});
  Signal bass = FromValues(rate, LoopedPartials(rate, leadIn, 8192, partials));
  const synth::Partial thump[] = {{2.0, 0.3, 0.03}, {3.0, 0.25, 0.025}, {4.0, 0.2, 0.02}, {6.0, 0.1, 0.015}};
  Signal attack = synth::Partials(rate, static_cast<double>(leadIn) / rate, NoteFrequency(kC2), thump);
  synth::ApplyFades(attack, 0.004, attack.Seconds() * 0.6);
  synth::MixInto(bass, attack, 0.0);
  synth::NormalisePeak(bass, 0.9);
  xm::Sample sample = TunedSample("round bass", kLowRate, kC2);
  sample.data = Pcm16(bass);
  sample.loop = xm::Loop::Forward;
  sample.loopStart = leadIn;
  sample.loopLength = 8192;
  xm::Instrument instrument = OneSampleInstrument("Round bass", std::move(sample));
  instrument.volume = SustainedEnvelope({{0, 64}, {10, 54}, {30, 48}, {36, 0}}, 2);
  instrument.fadeout = 1024;
  return instrument;
}

// A glass bell: slightly stretched partials that fade at their own pace,
// struck with a tiny tick of noise.
xm::Instrument Bell() {
  const double rate = TunedRate(kHighRate);
  const synth::Partial partials[] = {{1.0, 1.0, 1.1},  {2.0, 0.3, 0.5},   {3.0, 0.12, 0.3},
                                     {4.2, 0.18, 0.22}, {5.4, 0.08, 0.12}, {6.8, 0.05, 0.08}};
  Signal bell = synth::Partials(rate, 2.4, NoteFrequency(kC5), partials);
  synth::RandomSource random(33);
  Signal strike = synth::WhiteNoise(rate, 0.01, random);
  synth::Filter(strike, synth::FilterKind::Bandpass, 4000.0, 1.5);
  synth::Shape(strike, synth::Decay(0.002));
  synth::MixInto(bell, strike, 0.0, 0.15);
  synth::ApplyFades(bell, 0.001, 0.1);
  synth::NormalisePeak(bell, 0.9);
  xm::Sample sample = TunedSample("glass bell", kHighRate, kC5);
  sample.data = Pcm16(bell);
  return OneSampleInstrument("Glass bell", std::move(sample));
}

// A soft whistle: cosine harmonics of a 64-sample period, symmetric about
// every half period, so the loop may run back and forth between two half
// periods without a seam; the wave goes on for a half period past the loop
// for players that read beyond its end. The period puts the pitch 1.9 cents
// under C-5; the finetune brings it up.
xm::Instrument Whistle() {
  const double rate = TunedRate(kHighRate);
  const size_t period = 64, leadIn = period * 48, loopLength = period / 2 * 201;
  const double twoPi = 2.0 * std::acos(-1.0);
  const double levels[] = {1.0, 0.06, 0.12, 0.02};
  Signal whistle(rate, static_cast<double>(leadIn + loopLength + period / 2) / rate);
  for (size_t i = 0; i < whistle.size(); ++i) {
    for (int h = 1; h <= 4; ++h) {
      whistle.samples[i] += levels[h - 1] * std::cos(twoPi * h * static_cast<double>(i % period) / period);
    }
  }
  synth::RandomSource random(44);
  Signal breath = synth::WhiteNoise(rate, static_cast<double>(leadIn) / rate, random);
  synth::Filter(breath, synth::FilterKind::Bandpass, 1600.0, 2.0);
  synth::ApplyFades(breath, 0.01, breath.Seconds() * 0.7);
  synth::ApplyFades(whistle, static_cast<double>(leadIn) / rate, 0.0);
  synth::MixInto(whistle, breath, 0.0, 0.5);
  synth::NormalisePeak(whistle, 0.9);
  xm::Sample sample = TunedSample("dusk whistle", kHighRate, kC5);
  sample.data = Pcm16(whistle);
  sample.loop = xm::Loop::PingPong;
  sample.loopStart = static_cast<uint32_t>(leadIn);
  sample.loopLength = static_cast<uint32_t>(loopLength);
  sample.finetune = 2;
  xm::Instrument instrument = OneSampleInstrument("Whistle", std::move(sample));
  instrument.volume = SustainedEnvelope({{0, 20}, {10, 64}, {24, 56}, {40, 0}}, 2);
  instrument.fadeout = 800;
  return instrument;
}

// A plucked string, softened.
xm::Instrument Pluck() {
  const double rate = TunedRate(kHighRate);
  synth::RandomSource random(55);
  Signal pluck = synth::Pluck(rate, 1.3, NoteFrequency(kC5), 0.45, 0.55, random);
  synth::Filter(pluck, synth::FilterKind::Lowpass, 5000.0);
  synth::RemoveOffset(pluck);
  synth::ApplyFades(pluck, 0.001, 0.15);
  synth::NormalisePeak(pluck, 0.9);
  xm::Sample sample = TunedSample("plucked string", kHighRate, kC5);
  sample.data = Pcm16(pluck);
  sample.panning = 160;
  return OneSampleInstrument("Pluck", std::move(sample));
}

// A soft kick: a falling sine with a muffled thump (8-bit).
xm::Instrument Kick() {
  const double rate = TunedRate(kLowRate);
  Signal kick = synth::Oscillator(rate, 0.45, synth::Waveform::Sine, synth::ExponentialGlide(120.0, 45.0, 0.15));
  synth::Shape(kick, synth::AttackDecay(0.003, 0.12));
  synth::RandomSource random(66);
  Signal thump = synth::WhiteNoise(rate, 0.1, random);
  synth::Filter(thump, synth::FilterKind::Lowpass, 300.0);
  synth::Shape(thump, synth::Decay(0.015));
  synth::MixInto(kick, thump, 0.0, 0.3);
  synth::ApplyFades(kick, 0.002, 0.05);
  synth::NormalisePeak(kick, 0.95);
  xm::Sample sample = TunedSample("soft kick", kLowRate, kC4);
  sample.sixteenBit = false;
  sample.data = Pcm8(kick);
  return OneSampleInstrument("Soft kick", std::move(sample));
}

// A shaker: a short burst of high noise (8-bit).
xm::Instrument Shaker() {
  const double rate = TunedRate(kHighRate);
  synth::RandomSource random(77);
  Signal shaker = synth::WhiteNoise(rate, 0.16, random);
  synth::Filter(shaker, synth::FilterKind::Bandpass, 7000.0, 0.9);
  synth::Filter(shaker, synth::FilterKind::Highpass, 4000.0);
  synth::Shape(shaker, synth::AttackDecay(0.004, 0.035));
  synth::ApplyFades(shaker, 0.001, 0.03);
  synth::NormalisePeak(shaker, 0.9);
  xm::Sample sample = TunedSample("shaker", kHighRate, kC4);
  sample.sixteenBit = false;
  sample.data = Pcm8(shaker);
  sample.panning = 100;
  return OneSampleInstrument("Shaker", std::move(sample));
}

// The surf: deep noise with a little foam, looping back and forth (8-bit);
// looping envelopes swell it like waves and move it across the shore, one
// wave every kSurfWaveTicks.
xm::Instrument Surf() {
  const double rate = TunedRate(kMidRate);
  const double leadIn = 0.15, seconds = 3.0;
  synth::RandomSource random(88);
  Signal surf = synth::WhiteNoise(rate, seconds, random);
  synth::Filter(surf, synth::FilterKind::Lowpass, 900.0, 0.7071, 2);
  synth::Filter(surf, synth::FilterKind::Highpass, 60.0);
  synth::NormalisePeak(surf, 1.0);
  Signal foam = synth::WhiteNoise(rate, seconds, random);
  synth::Filter(foam, synth::FilterKind::Highpass, 3000.0);
  synth::MixInto(surf, foam, 0.0, 0.08);
  synth::ApplyFades(surf, leadIn, 0.0);
  synth::NormalisePeak(surf, 0.9);
  xm::Sample sample = TunedSample("surf", kMidRate, kC4);
  sample.sixteenBit = false;
  sample.data = Pcm8(surf);
  sample.loop = xm::Loop::PingPong;
  sample.loopStart = static_cast<uint32_t>(std::lround(leadIn * rate));
  sample.loopLength = static_cast<uint32_t>(sample.data.size()) - sample.loopStart;
  xm::Instrument instrument = OneSampleInstrument("Surf", std::move(sample));
  instrument.volume = LoopedEnvelope({{0, 12}, {64, 44}, {128, 24}, {kSurfWaveTicks, 12}});
  instrument.panning = LoopedEnvelope({{0, 22}, {kSurfWaveTicks / 2, 42}, {kSurfWaveTicks, 22}});
  instrument.fadeout = 300;
  return instrument;
}

}  // namespace

std::vector<xm::Instrument> MakeInstruments() {
  return {Pad(), Bass(), Bell(), Whistle(), Pluck(), Kick(), Shaker(), Surf()};
}

}  // namespace music
