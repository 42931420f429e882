// Songs the render tests, the comparison with a reference player and the
// mixing benchmark play: small but real modules in each format, written with
// the module builders. Deterministic: the same bytes on every run.
#pragma once

#include <cmath>
#include <cstdint>
#include <vector>

#include "module_builders.h"

namespace render_songs {

inline std::vector<int> SineCycle(int points, int amplitude) {
  std::vector<int> values;
  for (int i = 0; i < points; ++i) values.push_back(static_cast<int>(std::lround(amplitude * std::sin(2 * M_PI * i / points))));
  return values;
}

inline std::vector<int> SawCycle(int points, int amplitude) {
  std::vector<int> values;
  for (int i = 0; i < points; ++i) values.push_back(-amplitude + 2 * amplitude * i / points);
  return values;
}

// A plucked tone: a sine of the given period that dies away over the length.
inline std::vector<int> Pluck(int period, int points, int amplitude) {
  std::vector<int> values;
  for (int i = 0; i < points; ++i) {
    const double fade = 1.0 - static_cast<double>(i) / points;
    values.push_back(static_cast<int>(std::lround(amplitude * fade * std::sin(2 * M_PI * i / period))));
  }
  return values;
}

// A noise burst that dies away (a drum).
inline std::vector<int> DecayingNoise(int points, int amplitude) {
  std::vector<int> values;
  uint32_t seed = 12345;
  for (int i = 0; i < points; ++i) {
    seed = seed * 1103515245 + 12345;
    const int noise = static_cast<int>((seed >> 16) % (2 * amplitude + 1)) - amplitude;
    values.push_back(noise * (points - i) / points);
  }
  return values;
}

inline std::vector<uint8_t> AsUnsigned8(const std::vector<int>& values) {
  std::vector<uint8_t> bytes;
  for (int value : values) bytes.push_back(static_cast<uint8_t>(value + 128));
  return bytes;
}

inline std::vector<int8_t> AsSigned8(const std::vector<int>& values) {
  std::vector<int8_t> bytes;
  for (int value : values) bytes.push_back(static_cast<int8_t>(value));
  return bytes;
}

inline builders::XmInstrument XmInstrumentOf(std::vector<int> points, bool sixteenBit, bool loop,
                                             int8_t relativeNote = 0) {
  builders::XmInstrument instrument;
  builders::XmSample sample;
  sample.loopStart = 0;
  sample.loopLength = loop ? static_cast<uint32_t>(points.size()) : 0;
  sample.loopType = loop ? 1 : 0;
  sample.points = std::move(points);
  sample.sixteenBit = sixteenBit;
  sample.relativeNote = relativeNote;
  instrument.samples.push_back(sample);
  return instrument;
}

// Four channels of melody, bass, drum and a sliding voice over four orders,
// with tempo, speed and pattern-break effects. Notes die away, so the song's
// loudness rises and falls. It ends by itself.
inline std::vector<uint8_t> XmSong() {
  builders::XmModule module;
  module.channels = 4;
  module.instruments = {XmInstrumentOf(Pluck(32, 4000, 100), false, false),
                        XmInstrumentOf(DecayingNoise(3000, 110), false, false),
                        XmInstrumentOf(Pluck(64, 8000, 20000), true, false, -12),
                        XmInstrumentOf(SineCycle(32, 90), false, true)};
  const uint8_t scale[8] = {49, 51, 53, 54, 56, 58, 60, 61};
  for (int pattern = 0; pattern < 3; ++pattern) {
    std::vector<builders::XmCell> cells;
    for (uint32_t row = 0; row < 32; row += 4) {
      cells.push_back({row, 0, scale[(row / 4 + pattern) % 8], 1, uint8_t(0x10 + 40 + (row % 8) * 2), 0, 0});
      if (row % 8 == 0) {
        cells.push_back({row, 1, uint8_t(37 + pattern * 2), 3, 0x40, 0, 0});
        cells.push_back({row, 2, 49, 2, 0x50, 0, 0});
      }
    }
    if (pattern == 1) cells.push_back({0, 3, 61, 4, 0x50, 0xA, 0x02});
    if (pattern == 2) {
      cells.push_back({0, 3, 0, 0, 0, 0xF, 0x96});  // tempo 150
      cells.push_back({1, 3, 0, 0, 0, 0xF, 0x04});  // speed 4
      cells.push_back({24, 3, 0, 0, 0, 0xD, 0x00});  // break early
    }
    module.patterns.push_back({32, builders::XmPatternData(32, 4, cells)});
  }
  module.orders = {0, 1, 2, 1};
  return module.Build();
}

// The same kind of song as a four-channel MOD.
inline std::vector<uint8_t> ModSong() {
  builders::ModModule module;
  builders::ModSample sine{"pluck", AsSigned8(Pluck(32, 4000, 100)), 0, 64, 0, 1};
  builders::ModSample drum{"drum", AsSigned8(DecayingNoise(3000, 110)), 0, 64, 0, 1};
  builders::ModSample saw{"bass", AsSigned8(Pluck(64, 6000, 90)), 0, 48, 0, 1};
  module.samples = {sine, drum, saw};
  const uint16_t periods[8] = {428, 381, 339, 320, 285, 254, 226, 214};
  module.patterns.assign(2, {});
  for (int pattern = 0; pattern < 2; ++pattern) {
    auto& cells = module.patterns[pattern];
    for (uint32_t row = 0; row < 64; row += 4) {
      cells.push_back({row, 0, periods[(row / 4 + pattern * 3) % 8], 1, 0xC, uint8_t(32 + row % 32)});
      if (row % 8 == 0) cells.push_back({row, 1, uint16_t(periods[pattern * 2] * 2), 3, 0, 0});
      if (row % 16 == 0) cells.push_back({row, 2, 428, 2, 0, 0});
    }
    if (pattern == 0) cells.push_back({0, 3, 0, 0, 0xF, 3});  // speed 3
    if (pattern == 1) cells.push_back({8, 3, 254, 1, 0xA, 0x01});
  }
  module.songLength = 3;
  module.orders[0] = 0;
  module.orders[1] = 1;
  module.orders[2] = 0;
  return module.Build();
}

// An S3M song: C2-rate tuned samples, set-speed and set-tempo effects.
inline std::vector<uint8_t> S3mSong() {
  builders::S3mModule module;
  module.speed = 4;
  module.tempo = 140;
  builders::S3mSample sine;
  sine.data = AsUnsigned8(Pluck(32, 4000, 100));
  builders::S3mSample drum;
  drum.data = AsUnsigned8(DecayingNoise(3000, 110));
  module.samples = {sine, drum};
  const uint8_t notes[8] = {0x40, 0x42, 0x44, 0x45, 0x47, 0x49, 0x4B, 0x50};
  module.patterns.assign(2, {});
  for (int pattern = 0; pattern < 2; ++pattern) {
    auto& cells = module.patterns[pattern].cells;
    for (uint32_t row = 0; row < 64; row += 4) {
      cells.push_back({row, 0, notes[(row / 4 + pattern) % 8], 1, int(30 + row % 32), 0, 0});
      if (row % 16 == 0) cells.push_back({row, 1, 0x40, 2, 64, 0, 0});
      if (row % 8 == 0) cells.push_back({row, 2, uint8_t(0x30 + pattern * 2), 1, 48, 0, 0});
    }
    if (pattern == 1) {
      cells.push_back({0, 3, 255, 0, -1, 20, 110});  // T: tempo 110
      cells.push_back({0, 2, 0x32, 1, 40, 1, 3});    // A: speed 3
    }
  }
  module.orders = {0, 1};
  return module.Build();
}

// The benchmark's song: 32 channels that all sound, with looping 16-bit
// samples of four timbres, repeating for ever with the loop flag.
inline std::vector<uint8_t> ThirtyTwoChannelSong() {
  builders::XmModule module;
  module.channels = 32;
  module.instruments = {XmInstrumentOf(SineCycle(1024, 12000), true, true, 24),
                        XmInstrumentOf(SawCycle(512, 9000), true, true, 24),
                        XmInstrumentOf(SineCycle(256, 15000), true, true, 12),
                        XmInstrumentOf(SawCycle(2048, 8000), true, true, 36)};
  std::vector<builders::XmCell> cells;
  for (int channel = 0; channel < 32; ++channel) {
    for (uint32_t row = 0; row < 64; row += 16) {
      cells.push_back({row + channel % 4, channel, uint8_t(37 + (channel * 5 + row / 16 * 7) % 36),
                       uint8_t(1 + channel % 4), uint8_t(0x10 + 32 + channel % 16), 0, 0});
    }
  }
  module.patterns.push_back({64, builders::XmPatternData(64, 32, cells)});
  module.orders = {0};
  return module.Build();
}

}  // namespace render_songs
