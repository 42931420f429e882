// The note step: what one decoded cell does to its channel when its row
// begins, and the channel operations the steps share.
#include "player/ModulePlayerNotes.h"

#include <algorithm>

#include "player/ModulePlayerEnvelopes.h"
#include "player/ModulePlayerModule.h"
#include "player/ModulePlayerPeriods.h"

namespace quelt {

bool IsKeyOff(uint8_t note) { return note == kNoteKeyOff || note == kNoteKeyOffAlt; }

bool IsNote(uint8_t note) { return note != kNoteNone && note != kCellEmpty && !IsKeyOff(note); }

// Volumes are slid freely within a tick and limited to 0..64 at its end;
// they saturate at the field's own range so that they never wrap.
void SetVolume(MixChannel& channel, int volume) {
  channel.volume = static_cast<int8_t>(std::clamp(volume, -128, 127));
}

void AddVolume(MixChannel& channel, int delta) { SetVolume(channel, channel.volume + delta); }

// Periods saturate at the field's range; the tick limits them to 40..40000.
void SetPeriod(MixChannel& channel, uint32_t period) {
  channel.period = static_cast<uint16_t>(std::min<uint32_t>(period, 0xFFFF));
}

void AddPeriod(MixChannel& channel, int delta) {
  SetPeriod(channel, static_cast<uint32_t>(std::max(0, channel.period + delta)));
}

void SilenceChannel(MixChannel& channel) {
  channel.active = 0;
  channel.startRequest = 0;
}

uint32_t ChannelNotePeriod(const ChannelContext& context, int note) {
  return NotePeriod(TuningOf(FindSample(context.module, context.channel.sampleIndex)), note);
}

// The key is released; a voice that nothing would fade out stops at once.
void KeyOff(const ChannelContext& context) {
  MixChannel& channel = context.channel;
  channel.keyOn = 0;
  const Instrument* instrument = FindInstrument(context.module, channel.instrumentIndex);
  if (!instrument || (channel.fadeoutSpeed == 0 && !EnvelopeRuns(instrument->volumeEnvelope)))
    SilenceChannel(channel);
}

namespace {

void ForgetInstrument(MixChannel& channel) {
  channel.instrumentIndex = kNoInstrument;
  channel.sampleIndex = kNoSample;
}

void TakeSampleSettings(MixChannel& channel, const SampleSlot& sample) {
  channel.volume = static_cast<int8_t>(std::min<int>(sample.volume, kMaxVolume));
  channel.sampleFlags = sample.flags;
  channel.panning = (sample.flags & SampleFlag::OwnPanning) ? sample.panning : channel.defaultPanning;
  channel.startOffset = 0;
}

// An instrument number with a note: take the instrument, choose its sample
// for the note and reset volume and panning from that sample.
void TakeInstrumentForNote(const ChannelContext& context, const Instrument& instrument,
                           const PatternCell& cell) {
  MixChannel& channel = context.channel;
  channel.instrumentIndex = static_cast<uint16_t>(cell.instrument - 1);
  channel.fadeoutSpeed = instrument.fadeout;
  channel.sampleIndex = KeymapSample(context.module, instrument, cell.note);
  const SampleSlot* sample = FindSample(context.module, channel.sampleIndex);
  if (!sample) {
    channel.sampleIndex = kNoSample;
    return;
  }
  TakeSampleSettings(channel, *sample);
}

// An instrument number without a note (sample swapping, or re-taking an
// instrument's volume under a held note): the channel takes the instrument
// and the volume, panning and flags of the sample it maps the channel's last
// note to. In a MOD, where an instrument is one sample, the running voice
// also moves to that sample's data from where it stands. An instrument
// without samples, or a keymap entry naming no sample with data, leaves the
// channel as it is.
void RetakeInstrument(const ChannelContext& context, const Instrument& instrument, uint16_t index) {
  MixChannel& channel = context.channel;
  const uint16_t sampleIndex = KeymapSample(context.module, instrument, channel.note);
  const SampleSlot* sample = FindSample(context.module, sampleIndex);
  if (instrument.sampleCount == 0 || !sample || sample->length == 0) return;
  channel.instrumentIndex = index;
  channel.fadeoutSpeed = instrument.fadeout;
  TakeSampleSettings(channel, *sample);
  if (context.module.format == ModuleFormat::MOD && sampleIndex != channel.sampleIndex) {
    channel.sampleIndex = sampleIndex;
    channel.sampleSwapRequest = 1;
  }
}

void TakeInstrument(const ChannelContext& context, const PatternCell& cell) {
  const Instrument* instrument = FindInstrument(context.module, cell.instrument - 1);
  if (!instrument) return ForgetInstrument(context.channel);
  if (IsNote(cell.note)) return TakeInstrumentForNote(context, *instrument, cell);
  RetakeInstrument(context, *instrument, static_cast<uint16_t>(cell.instrument - 1));
}

void StartNote(const ChannelContext& context, uint8_t note) {
  MixChannel& channel = context.channel;
  const Instrument* instrument = FindInstrument(context.module, channel.instrumentIndex);
  channel.sampleIndex = instrument ? KeymapSample(context.module, *instrument, note) : kNoSample;
  channel.startOffset = 0;
  channel.periodBeforeNote = channel.period;
  channel.note = note;
  channel.startRequest = 1;
  SetPeriod(channel, ChannelNotePeriod(context, note));
  channel.targetPeriod = channel.period;
}

}  // namespace

void NoteStep(const ChannelContext& context, const PatternCell& cell) {
  MixChannel& channel = context.channel;
  if (cell.instrument != 0 && cell.instrument != kCellEmpty) TakeInstrument(context, cell);
  if (IsKeyOff(cell.note)) {
    KeyOff(context);
  } else if (IsNote(cell.note)) {
    StartNote(context, cell.note);
  }
  if (cell.volume <= kMaxVolume) channel.volume = static_cast<int8_t>(cell.volume);
  channel.effect = cell.effect;
  channel.effectParameter = cell.parameter;
  channel.volumeColumn = cell.volume;
}

}  // namespace quelt
