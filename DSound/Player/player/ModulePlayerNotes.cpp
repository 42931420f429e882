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

// An instrument number in the cell: take the instrument, choose its sample
// for the cell's note (a cell without a note keeps the current sample) and
// reset volume and panning from that sample.
void TakeInstrument(const ChannelContext& context, const PatternCell& cell) {
  MixChannel& channel = context.channel;
  const Instrument* instrument = FindInstrument(context.module, cell.instrument - 1);
  if (!instrument) return ForgetInstrument(channel);
  channel.instrumentIndex = static_cast<uint16_t>(cell.instrument - 1);
  channel.fadeoutSpeed = instrument->fadeout;
  if (IsNote(cell.note)) channel.sampleIndex = KeymapSample(context.module, *instrument, cell.note);
  const SampleSlot* sample = FindSample(context.module, channel.sampleIndex);
  if (!sample) {
    channel.sampleIndex = kNoSample;
    return;
  }
  channel.volume = static_cast<int8_t>(std::min<int>(sample->volume, kMaxVolume));
  channel.sampleFlags = sample->flags;
  channel.panning = (sample->flags & SampleFlag::OwnPanning) ? sample->panning : channel.defaultPanning;
  channel.startOffset = 0;
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
