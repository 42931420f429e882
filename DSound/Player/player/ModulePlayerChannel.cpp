// The per-tick update of one music channel after its effects: tremolo
// restore, fadeout, limits, frequency and envelopes.
#include "player/ModulePlayerChannel.h"

#include <algorithm>

#include "player/ModulePlayerEffects.h"
#include "player/ModulePlayerEnvelopes.h"
#include "player/ModulePlayerModule.h"
#include "player/ModulePlayerNotes.h"
#include "player/ModulePlayerPeriods.h"
#include "player/ModulePlayerVolumeColumn.h"

namespace quelt {

namespace {

// A tremolo changes the volume only on the ticks it runs; once it stops,
// the volume it started from comes back.
void RestoreTremolo(MixChannel& channel) {
  if (channel.tremoloApplied) {
    channel.tremoloInProgress = 1;
  } else if (channel.tremoloInProgress) {
    channel.volume = static_cast<int8_t>(channel.tremoloSavedVolume);
    channel.tremoloInProgress = 0;
  }
}

void Fade(MixChannel& channel) {
  if (channel.keyOn || channel.fadeVolume == 0) return;
  channel.fadeVolume = static_cast<uint16_t>(std::max(0, channel.fadeVolume - channel.fadeoutSpeed));
}

void UpdateFrequency(const ChannelContext& context) {
  MixChannel& channel = context.channel;
  channel.period = static_cast<uint16_t>(std::clamp<uint32_t>(channel.period, kLowestPeriod, kHighestPeriod));
  const PeriodSystem system = TuningOf(FindSample(context.module, channel.sampleIndex)).system;
  channel.frequency = PeriodFrequency(system, channel.period);
}

void UpdateEnvelopes(const ChannelContext& context) {
  MixChannel& channel = context.channel;
  const Instrument* instrument = FindInstrument(context.module, channel.instrumentIndex);
  channel.envelopeFlags = 0;
  if (!instrument) return;
  const bool keyOn = channel.keyOn != 0;
  const Envelope& volume = instrument->volumeEnvelope;
  if (EnvelopeRuns(volume)) {
    channel.envelopeFlags |= kEnvelopeVolumeRunning;
    channel.envelopeVolume = static_cast<uint8_t>(
        StepEnvelope(volume, {channel.volumeEnvelopePoint, channel.volumeEnvelopeTick}, keyOn));
  }
  const Envelope& panning = instrument->panningEnvelope;
  if (EnvelopeRuns(panning)) {
    channel.envelopeFlags |= kEnvelopePanningRunning;
    channel.envelopePanning = static_cast<uint8_t>(
        StepEnvelope(panning, {channel.panningEnvelopePoint, channel.panningEnvelopeTick}, keyOn));
  }
}

}  // namespace

void ChannelUpdate(const ChannelContext& context) {
  MixChannel& channel = context.channel;
  if (channel.rowData) {
    VolumeColumnStep(context);
    EffectStep(context);
  }
  if (channel.startRequest) {
    channel.volumeEnvelopePoint = channel.panningEnvelopePoint = 0;
    channel.volumeEnvelopeTick = channel.panningEnvelopeTick = kEnvelopeRestartTick;
  }
  if (channel.sampleIndex == kNoSample || channel.instrumentIndex == kNoInstrument) SilenceChannel(channel);
  if (channel.active || channel.startRequest) {
    RestoreTremolo(channel);
    Fade(channel);
    channel.volume = static_cast<int8_t>(std::clamp<int>(channel.volume, 0, kMaxVolume));
    UpdateFrequency(context);
    UpdateEnvelopes(context);
  }
  channel.tremoloApplied = 0;
}

}  // namespace quelt
