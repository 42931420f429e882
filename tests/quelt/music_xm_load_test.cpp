// The composed music, written by the XM writer, read by the library's XM
// loader: every header field, instrument, envelope, sample and cell must
// arrive as the composition meant it.
#include <gtest/gtest.h>

#include <map>

#include "model/Cmodule.h"
#include "loaders/ModuleLoaders.h"
#include "model/Cpattern.h"
#include "model/ModuleEffects.h"
#include "tools/music/composition.h"
#include "tools/xmwriter/xmwriter.h"

namespace {

class ComposedMusic : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    composed_ = new xm::Module(music::ComposeDusk());
    loaded_ = new ModuleSlot();
    std::vector<uint8_t> bytes = xm::WriteModule(*composed_);
    ASSERT_TRUE(LoadModuleFromMemory(*loaded_, bytes.data(), bytes.size()));
  }
  static void TearDownTestSuite() {
    delete composed_;
    delete loaded_;
  }
  static xm::Module* composed_;
  static ModuleSlot* loaded_;
};
xm::Module* ComposedMusic::composed_ = nullptr;
ModuleSlot* ComposedMusic::loaded_ = nullptr;

TEST_F(ComposedMusic, HeaderArrivesWhole) {
  // Guards against a header the library reads differently from the writer.
  EXPECT_EQ(loaded_->format, ModuleFormat::XM);
  EXPECT_STREQ(loaded_->name, "Dusk");
  EXPECT_EQ(loaded_->channelCount, composed_->channels);
  EXPECT_EQ(loaded_->songLength, composed_->orders.size());
  EXPECT_EQ(loaded_->restartPosition, composed_->restart);
  EXPECT_EQ(loaded_->patternCount, composed_->patterns.size());
  EXPECT_EQ(loaded_->instrumentCount, 8);
  EXPECT_EQ(loaded_->sampleCount, 8);
  EXPECT_EQ(loaded_->speed, music::kSpeed);
  EXPECT_EQ(loaded_->tempo, music::kTempo);
  EXPECT_EQ(loaded_->flags & ModuleFlag::LinearFrequency, ModuleFlag::LinearFrequency);
  for (size_t i = 0; i < composed_->orders.size(); ++i) EXPECT_EQ(loaded_->orders[i], composed_->orders[i]);
}

void ExpectEnvelope(const Envelope& loaded, const xm::Envelope& written, const std::string& where) {
  uint8_t flags = (written.on ? EnvelopeFlag::On : 0) | (written.sustain ? EnvelopeFlag::Sustain : 0) |
                  (written.loop ? EnvelopeFlag::Loop : 0);
  EXPECT_EQ(loaded.flags, flags) << where;
  if (!written.on) return;
  ASSERT_EQ(loaded.count, written.points.size()) << where;
  for (size_t i = 0; i < written.points.size(); ++i) {
    EXPECT_EQ(loaded.points[2 * i], written.points[i].tick) << where;
    EXPECT_EQ(loaded.points[2 * i + 1], written.points[i].value) << where;
  }
  if (written.sustain) {
    EXPECT_EQ(loaded.sustain, *written.sustain) << where;
  }
  if (written.loop) {
    EXPECT_EQ(loaded.loopStart, written.loop->first) << where;
    EXPECT_EQ(loaded.loopEnd, written.loop->second) << where;
  }
}

TEST_F(ComposedMusic, InstrumentsAndEnvelopesArriveWhole) {
  // Guards against envelopes, sustain and loop points or fadeouts that the
  // player would apply differently from what was composed.
  for (size_t i = 0; i < 8; ++i) {
    const xm::Instrument& written = composed_->instruments[i];
    const Instrument& loaded = loaded_->instruments[i];
    EXPECT_EQ(std::string(loaded.name), written.name);
    EXPECT_EQ(loaded.sampleCount, 1);
    EXPECT_EQ(loaded.fadeout, written.fadeout) << written.name;
    for (int note = 0; note < 96; ++note) EXPECT_EQ(loaded.keymap[note], i) << written.name;
    ExpectEnvelope(loaded.volumeEnvelope, written.volume, written.name + " volume");
    ExpectEnvelope(loaded.panningEnvelope, written.panning, written.name + " panning");
  }
}

TEST_F(ComposedMusic, SamplesArriveWithTheirDataLoopsAndTuning) {
  // Guards against sample data garbled by the delta coding, loop points in
  // bytes instead of samples, and wrong widths, loop kinds or tuning.
  for (size_t i = 0; i < 8; ++i) {
    const xm::Sample& written = composed_->instruments[i].samples[0];
    const SampleSlot& loaded = loaded_->samples[i];
    ASSERT_EQ(loaded.length, written.data.size()) << written.name;
    EXPECT_EQ(loaded.Is16Bit(), written.sixteenBit) << written.name;
    for (size_t j = 0; j < written.data.size(); ++j) {
      int value = written.sixteenBit ? loaded.Data16()[j] : loaded.Data8()[j];
      ASSERT_EQ(value, written.data[j]) << written.name << " sample " << j;
    }
    bool looped = written.loop != xm::Loop::None;
    EXPECT_EQ((loaded.flags & SampleFlag::Loop) != 0, looped) << written.name;
    EXPECT_EQ((loaded.flags & SampleFlag::PingPong) != 0, written.loop == xm::Loop::PingPong) << written.name;
    EXPECT_TRUE(loaded.flags & SampleFlag::Linear) << written.name;
    if (looped) {
      EXPECT_EQ(loaded.loopStart, written.loopStart) << written.name;
      EXPECT_EQ(loaded.loopEnd, written.loopStart + written.loopLength) << written.name;
    }
    EXPECT_EQ(loaded.Finetune(), written.finetune) << written.name;
    EXPECT_EQ(loaded.relativeNote, written.relativeNote) << written.name;
    EXPECT_EQ(loaded.panning, written.panning) << written.name;
    EXPECT_EQ(loaded.volume, written.volume) << written.name;
  }
}

// The library's reading of a written cell, for the effects the music uses.
PatternCell Expected(const xm::Cell& cell) {
  static const std::map<uint8_t, uint8_t> effects = {
      {xm::kArpeggio, Effect::Arpeggio},         {xm::kPortaUp, Effect::PlainPortaUp},
      {xm::kPortaDown, Effect::PlainPortaDown},  {xm::kTonePorta, Effect::TonePorta},
      {xm::kVibrato, Effect::Vibrato},           {xm::kVibratoVolumeSlide, Effect::VibratoVolumeSlide},
      {xm::kSetPanning, Effect::SetPanning},     {xm::kVolumeSlide, Effect::VolumeSlide},
      {xm::kPatternBreak, Effect::PatternBreak}, {xm::kSetEnvelopePosition, Effect::SetEnvelopePosition}};
  PatternCell expected;
  if (cell.note) expected.note = cell.note;
  if (cell.instrument) expected.instrument = cell.instrument;
  if (cell.volume) expected.volume = static_cast<uint8_t>(cell.volume - 16);
  if (cell.effect == xm::kSpeedTempo) {
    expected.effect = cell.parameter < 32 ? Effect::SetSpeed : Effect::SetTempo;
  } else if (cell.HasEffect()) {
    expected.effect = effects.at(cell.effect);
  }
  if (cell.HasEffect()) expected.parameter = cell.parameter;
  return expected;
}

TEST_F(ComposedMusic, EveryCellIsReadAsComposed) {
  // Guards against pattern packing that shifts cells between rows or
  // channels, and against effects or volume-column commands the library
  // would take for something else.
  for (size_t p = 0; p < composed_->patterns.size(); ++p) {
    const xm::Pattern& written = composed_->patterns[p];
    PackedPattern& packed = loaded_->patterns[p];
    StartDecoding(packed);
    for (int row = 0; row < written.Rows(); ++row) {
      DecodedRow decoded;
      DecodeRow(packed, decoded);
      std::map<int, PatternCell> cells;
      for (int i = 0; i < decoded.count; ++i) cells[decoded.entries[i].channel] = decoded.entries[i].cell;
      for (int channel = 0; channel < written.Channels(); ++channel) {
        const xm::Cell& cell = written.At(row, channel);
        PatternCell got = cells.count(channel) ? cells[channel] : PatternCell();
        EXPECT_EQ(got, Expected(cell)) << "pattern " << p << " row " << row << " channel " << channel;
      }
    }
  }
}

}  // namespace
