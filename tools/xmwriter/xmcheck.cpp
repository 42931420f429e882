#include "tools/xmwriter/xmcheck.h"

#include <stdexcept>
#include <string>

namespace xm {
namespace {

void Require(bool condition, const std::string& fault) {
  if (!condition) throw std::invalid_argument(fault);
}

bool ValidVolumeByte(uint8_t value) { return value == 0 || (value >= 0x10 && value <= 0x50) || value >= 0x60; }

void CheckCell(const Cell& cell, size_t instruments, const std::string& where) {
  Require(cell.note <= kKeyOff, where + ": note out of range");
  Require(cell.instrument <= instruments, where + ": no such instrument");
  Require(ValidVolumeByte(cell.volume), where + ": bad volume-column byte");
  Require(cell.effect <= kLastEffect, where + ": bad effect");
  if (cell.effect == kSpeedTempo) Require(cell.parameter != 0, where + ": speed 0");
}

void CheckPattern(const Pattern& pattern, const Module& module, size_t index) {
  Require(pattern.Channels() == module.channels, "pattern " + std::to_string(index) + " has the wrong width");
  for (int row = 0; row < pattern.Rows(); ++row) {
    for (int channel = 0; channel < pattern.Channels(); ++channel) {
      std::string where = "pattern " + std::to_string(index) + " row " + std::to_string(row) + " channel " +
                          std::to_string(channel);
      CheckCell(pattern.At(row, channel), module.instruments.size(), where);
    }
  }
}

void CheckEnvelope(const Envelope& envelope, const std::string& where) {
  const auto& points = envelope.points;
  Require(points.size() <= kMaxEnvelopePoints, where + ": more than 12 points");
  if (!envelope.on) return;
  Require(points.size() >= 2, where + ": an envelope in use needs 2 points");
  Require(points.front().tick == 0, where + ": the first point must be at tick 0");
  for (size_t i = 0; i < points.size(); ++i) {
    Require(points[i].value <= 64, where + ": value above 64");
    if (i > 0) Require(points[i].tick > points[i - 1].tick, where + ": ticks must rise");
  }
  if (envelope.sustain) Require(*envelope.sustain < points.size(), where + ": no such sustain point");
  if (envelope.loop) {
    auto [first, last] = *envelope.loop;
    Require(first <= last && last < points.size(), where + ": bad loop points");
  }
}

void CheckSample(const Sample& sample, const std::string& where) {
  Require(sample.name.size() <= 22, where + ": name longer than 22");
  Require(sample.volume <= 64, where + ": volume above 64");
  if (!sample.sixteenBit) {
    for (int16_t value : sample.data) Require(value >= -128 && value <= 127, where + ": 8-bit value out of range");
  }
  if (sample.loop != Loop::None) {
    Require(sample.loopLength > 0, where + ": empty loop");
    Require(uint64_t{sample.loopStart} + sample.loopLength <= sample.data.size(), where + ": loop past the end");
  }
}

void CheckInstrument(const Instrument& instrument, size_t index) {
  std::string where = "instrument " + std::to_string(index + 1);
  Require(instrument.name.size() <= 22, where + ": name longer than 22");
  Require(instrument.samples.size() <= 16, where + ": more than 16 samples");
  Require(instrument.fadeout <= 0xFFF, where + ": fadeout above 4095");
  for (uint8_t entry : instrument.keymap) {
    Require(instrument.samples.empty() || entry < instrument.samples.size(), where + ": keymap names no sample");
  }
  CheckEnvelope(instrument.volume, where + " volume envelope");
  CheckEnvelope(instrument.panning, where + " panning envelope");
  for (size_t i = 0; i < instrument.samples.size(); ++i) {
    CheckSample(instrument.samples[i], where + " sample " + std::to_string(i));
  }
}

}  // namespace

void CheckModule(const Module& module) {
  Require(module.name.size() <= 20, "module name longer than 20");
  Require(module.tracker.size() <= 20, "tracker name longer than 20");
  Require(module.channels >= 1 && module.channels <= kMaxChannels, "1 to 32 channels");
  Require(module.speed >= 1 && module.speed <= 31, "speed 1 to 31");
  Require(module.tempo >= 32 && module.tempo <= 255, "tempo 32 to 255");
  Require(!module.orders.empty() && module.orders.size() <= 256, "1 to 256 orders");
  Require(module.restart >= 0 && static_cast<size_t>(module.restart) < module.orders.size(),
          "restart position outside the orders");
  Require(!module.patterns.empty() && module.patterns.size() <= 256, "1 to 256 patterns");
  Require(module.instruments.size() <= 128, "at most 128 instruments");
  for (uint8_t order : module.orders) Require(order < module.patterns.size(), "an order names a missing pattern");
  for (size_t i = 0; i < module.patterns.size(); ++i) CheckPattern(module.patterns[i], module, i);
  for (size_t i = 0; i < module.instruments.size(); ++i) CheckInstrument(module.instruments[i], i);
}

}  // namespace xm
