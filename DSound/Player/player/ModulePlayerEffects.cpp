// The internal effects: one small function per effect, dispatched by a
// table. Effects run on every tick of the row their cell is on; the tick
// within the row decides what each one does.
#include "player/ModulePlayerEffects.h"

#include <algorithm>

#include "model/ModuleEffects.h"
#include "player/ModulePlayerEnvelopes.h"
#include "player/ModulePlayerModule.h"
#include "player/ModulePlayerNotes.h"
#include "player/ModulePlayerWaveforms.h"

namespace quelt {

namespace {

using EffectHandler = void (*)(const ChannelContext&, uint8_t parameter);

uint8_t High(uint8_t parameter) { return parameter >> 4; }
uint8_t Low(uint8_t parameter) { return parameter & 15; }
bool FirstTick(const ChannelContext& c) { return c.state.tick == 0; }

// A zero parameter reuses the last nonzero one kept in memory.
uint8_t Remember(uint8_t& memory, uint8_t parameter) {
  if (parameter != 0) memory = parameter;
  return memory;
}

// The note of this cell started a voice on this very tick.
bool CellStartedNote(const ChannelContext& c) {
  return FirstTick(c) && c.channel.startRequest.load() != 0;
}

void SetSpeed(const ChannelContext& c, uint8_t p) {
  c.state.speed = p;
  c.channel.effect = Effect::None;
}

void PositionJump(const ChannelContext& c, uint8_t p) {
  c.state.positionJump = static_cast<uint8_t>(p + 1);
  c.channel.effect = Effect::None;
}

void PatternBreak(const ChannelContext& c, uint8_t p) {
  c.state.jumpMode = 3;
  c.state.breakRow = p;
  c.channel.effect = Effect::None;
}

void VolumeSlide(const ChannelContext& c, uint8_t p) {
  p = Remember(c.channel.volumeSlideMemory, p);
  const int up = High(p), down = Low(p);
  if (up == 0) {
    if (!FirstTick(c)) AddVolume(c.channel, -down);
  } else if (down == 0) {
    if (!FirstTick(c)) AddVolume(c.channel, up);
  } else if (down == 15) {
    if (FirstTick(c)) AddVolume(c.channel, up);
  } else if (up == 15) {
    if (FirstTick(c)) AddVolume(c.channel, -down);
  }
}

// Porta with fine (0xEx, by x) and normal-fine (0xFx, by 4x) forms on tick 0.
void SlidePeriod(const ChannelContext& c, uint8_t p, int direction) {
  p = Remember(c.channel.volumeSlideMemory, p);
  if (p < 0xE0) {
    if (!FirstTick(c)) AddPeriod(c.channel, direction * 4 * p);
  } else if (FirstTick(c)) {
    const int amount = High(p) == 0xE ? Low(p) : 4 * Low(p);
    AddPeriod(c.channel, direction * amount);
  }
}

void PortaDown(const ChannelContext& c, uint8_t p) { SlidePeriod(c, p, +1); }
void PortaUp(const ChannelContext& c, uint8_t p) { SlidePeriod(c, p, -1); }

void TonePorta(const ChannelContext& c, uint8_t p) {
  if (CellStartedNote(c)) {
    // The note only sets the target; the running voice glides to it.
    c.channel.startRequest = 0;
    c.channel.period = c.channel.periodBeforeNote;
  }
  if (p != 0) c.channel.tonePortaSpeed = static_cast<uint16_t>(4 * p);
  MoveTowardTarget(c.channel);
}

void Vibrato(const ChannelContext& c, uint8_t p) {
  if (High(p) != 0) c.channel.vibratoSpeed = High(p);
  if (Low(p) != 0) c.channel.vibratoDepth = Low(p);
  VibratoSwing(c, 5);
}

void FineVibrato(const ChannelContext& c, uint8_t p) {
  if (High(p) != 0) c.channel.vibratoSpeed = High(p);
  if (Low(p) != 0) c.channel.vibratoDepth = Low(p);
  VibratoSwing(c, 7);
}

// On for hi + 1 ticks, off for lo + 1 ticks.
void Tremor(const ChannelContext& c, uint8_t p) {
  MixChannel& ch = c.channel;
  if (p != 0 && FirstTick(c)) ch.tremorCounter = 0;
  ch.tremorParameter = Remember(ch.effectParameterMemory, p);
  const int onTicks = High(ch.tremorParameter) + 1;
  const int cycle = onTicks + Low(ch.tremorParameter) + 1;
  if (ch.tremorCounter >= cycle) ch.tremorCounter = 0;
  ch.active = ch.tremorCounter < onTicks ? 1 : 0;
  ch.tremorCounter = static_cast<uint8_t>((ch.tremorCounter + 1) % cycle);
}

// The note, the note + hi and the note + lo, in turn on every tick.
void Arpeggio(const ChannelContext& c, uint8_t p) {
  const int offsets[3] = {0, High(p), Low(p)};
  const int note = c.channel.note + offsets[c.state.tick % 3];
  SetPeriod(c.channel, ChannelNotePeriod(c, note));
}

// The volume half of the combined effects (vibrato and tone porta with a
// volume slide).
void CombinedVolumeSlide(const ChannelContext& c, uint8_t p) {
  if (FirstTick(c)) return;
  if (p < 16) AddVolume(c.channel, -Low(p));
  if (Low(p) == 0) AddVolume(c.channel, High(p));
}

void VibratoVolumeSlide(const ChannelContext& c, uint8_t p) {
  CombinedVolumeSlide(c, p);
  VibratoSwing(c, 5);
}

void TonePortaVolumeSlide(const ChannelContext& c, uint8_t p) {
  CombinedVolumeSlide(c, p);
  TonePorta(c, 0);
}

void SampleOffset(const ChannelContext& c, uint8_t p) {
  c.channel.startOffset = Remember(c.channel.sampleOffsetMemory, p) * 256u;
}

void PanningSlide(const ChannelContext& c, uint8_t p) {
  if (FirstTick(c)) return;
  c.channel.panning = static_cast<uint8_t>(std::clamp(c.channel.panning + High(p) - Low(p), 0, 255));
}

int RetriggerVolume(int volume, int change) {
  static const int kSteps[6] = {0, 2, 4, 8, 16, 32};
  if (change >= 1 && change <= 5) return volume - kSteps[change];
  if (change >= 9 && change <= 13) return volume + kSteps[change - 8];
  switch (change) {
    case 6: return volume * 2 / 3;
    case 7: return volume / 2;
    case 14: return volume * 3 / 2;
    case 15: return volume * 2;
    default: return volume;
  }
}

void Retrigger(const ChannelContext& c, uint8_t p) {
  const int interval = Low(p) != 0 ? Low(p) : c.channel.retriggerMemory;
  c.channel.retriggerMemory = static_cast<uint8_t>(interval);
  if (FirstTick(c) || interval == 0 || c.state.tick % interval != 0) return;
  c.channel.startRequest = 1;
  SetVolume(c.channel, RetriggerVolume(c.channel.volume, High(p)));
}

void Tremolo(const ChannelContext& c, uint8_t p) {
  MixChannel& ch = c.channel;
  if (High(p) != 0) ch.tremoloSpeed = High(p);
  if (Low(p) != 0) ch.tremoloDepth = Low(p);
  if (!ch.tremoloInProgress) ch.tremoloSavedVolume = static_cast<uint8_t>(std::max<int>(ch.volume, 0));
  const uint8_t waveform = (ch.waveforms >> 4) & 3;
  SetVolume(ch, ch.tremoloSavedVolume + WaveformOffset(waveform, ch.tremoloPosition, ch.tremoloDepth, 6));
  ch.tremoloApplied = 1;
  if (!FirstTick(c)) ch.tremoloPosition = static_cast<uint8_t>(ch.tremoloPosition + ch.tremoloSpeed);
}

void SetTempo(const ChannelContext& c, uint8_t p) {
  c.state.tempo = std::max(p, kMinTempo);
}

void SetGlobalVolume(const ChannelContext& c, uint8_t p) {
  c.state.globalVolume = std::min(p, kMaxVolume);
}

void GlobalVolumeSlide(const ChannelContext& c, uint8_t p) {
  if (!FirstTick(c)) return;
  const int volume = c.state.globalVolume + High(p) - Low(p);
  c.state.globalVolume = static_cast<uint8_t>(std::clamp<int>(volume, 0, kMaxVolume));
}

void KeyOffEffect(const ChannelContext& c, uint8_t) { KeyOff(c); }

void EnvelopePosition(const ChannelContext& c, uint8_t p) {
  const Instrument* instrument = FindInstrument(c.module, c.channel.instrumentIndex);
  if (!FirstTick(c) || !instrument) return;
  MixChannel& ch = c.channel;
  SetEnvelopePosition(instrument->volumeEnvelope, {ch.volumeEnvelopePoint, ch.volumeEnvelopeTick}, p);
  SetEnvelopePosition(instrument->panningEnvelope, {ch.panningEnvelopePoint, ch.panningEnvelopeTick}, p);
}

void SetVolumeEffect(const ChannelContext& c, uint8_t p) { SetVolume(c.channel, p); }

void PortaUpPlain(const ChannelContext& c, uint8_t p) {
  if (!FirstTick(c)) AddPeriod(c.channel, -4 * p);
}

void PortaDownPlain(const ChannelContext& c, uint8_t p) {
  if (!FirstTick(c)) AddPeriod(c.channel, 4 * p);
}

void SetPanning(const ChannelContext& c, uint8_t p) {
  if (FirstTick(c)) c.channel.panning = p;
}

// --- The special effect and its sub-commands by high nibble. ---

void SetVibratoWaveform(const ChannelContext& c, uint8_t x) {
  c.channel.waveforms = static_cast<uint8_t>((c.channel.waveforms & 0xF0) | x);
}

void SetTremoloWaveform(const ChannelContext& c, uint8_t x) {
  c.channel.waveforms = static_cast<uint8_t>((c.channel.waveforms & 0x0F) | (x << 4));
}

void SpecialPanning(const ChannelContext& c, uint8_t x) {
  if (FirstTick(c)) c.channel.panning = static_cast<uint8_t>(x * 16);
}

// SB0 marks the loop row; SBx asks for a jump back to it at the next row
// start, x times. Counted once per row, on its first tick.
void PatternLoop(const ChannelContext& c, uint8_t x) {
  MixChannel& ch = c.channel;
  if (x == 0) {
    ch.patternLoopRow = static_cast<uint8_t>(c.state.row);
    return;
  }
  if (!FirstTick(c)) return;
  ch.patternLoopJump = 1;
  if (!ch.patternLoopRunning) {
    ch.patternLoopRunning = 1;
    ch.patternLoopCount = x;
  } else if (ch.patternLoopCount == 0) {
    ch.patternLoopRunning = 0;
  }
}

void NoteCut(const ChannelContext& c, uint8_t x) {
  if (c.state.tick == x) SilenceChannel(c.channel);
}

void NoteDelay(const ChannelContext& c, uint8_t x) {
  if (FirstTick(c)) SilenceChannel(c.channel);
  if (c.state.tick == x) c.channel.startRequest = 1;
}

void PatternDelay(const ChannelContext& c, uint8_t x) {
  if (c.state.patternDelay == 0) c.state.patternDelay = x;
}

void Special(const ChannelContext& c, uint8_t p) {
  switch (High(p)) {
    case SpecialEffect::VibratoWaveform: SetVibratoWaveform(c, Low(p)); break;
    case SpecialEffect::TremoloWaveform: SetTremoloWaveform(c, Low(p)); break;
    case SpecialEffect::Panning: SpecialPanning(c, Low(p)); break;
    case SpecialEffect::PatternLoop: PatternLoop(c, Low(p)); break;
    case SpecialEffect::NoteCut: NoteCut(c, Low(p)); break;
    case SpecialEffect::NoteDelay: NoteDelay(c, Low(p)); break;
    case SpecialEffect::PatternDelay: PatternDelay(c, Low(p)); break;
    default: break;
  }
}

struct EffectEntry {
  uint8_t number;
  EffectHandler handler;
};

constexpr EffectEntry kEffects[] = {
    {Effect::SetSpeed, SetSpeed},
    {Effect::PositionJump, PositionJump},
    {Effect::PatternBreak, PatternBreak},
    {Effect::VolumeSlide, VolumeSlide},
    {Effect::PortaDown, PortaDown},
    {Effect::PortaUp, PortaUp},
    {Effect::TonePorta, TonePorta},
    {Effect::Vibrato, Vibrato},
    {Effect::Tremor, Tremor},
    {Effect::Arpeggio, Arpeggio},
    {Effect::VibratoVolumeSlide, VibratoVolumeSlide},
    {Effect::TonePortaVolumeSlide, TonePortaVolumeSlide},
    {Effect::SampleOffset, SampleOffset},
    {Effect::PanningSlide, PanningSlide},
    {Effect::Retrigger, Retrigger},
    {Effect::Tremolo, Tremolo},
    {Effect::Special, Special},
    {Effect::SetTempo, SetTempo},
    {Effect::FineVibrato, FineVibrato},
    {Effect::SetGlobalVolume, SetGlobalVolume},
    {Effect::GlobalVolumeSlide, GlobalVolumeSlide},
    {Effect::KeyOff, KeyOffEffect},
    {Effect::SetEnvelopePosition, EnvelopePosition},
    {Effect::SetVolume, SetVolumeEffect},
    {Effect::PlainPortaUp, PortaUpPlain},
    {Effect::PlainPortaDown, PortaDownPlain},
    {Effect::SetPanning, SetPanning},
};

struct EffectTable {
  EffectHandler handlers[256] = {};
  constexpr EffectTable() {
    for (const EffectEntry& entry : kEffects) handlers[entry.number] = entry.handler;
  }
};

constexpr EffectTable kEffectTable;

}  // namespace

void MoveTowardTarget(MixChannel& channel) {
  const int period = channel.period, target = channel.targetPeriod;
  const int speed = channel.tonePortaSpeed;
  if (period < target) {
    channel.period = static_cast<uint16_t>(std::min(period + speed, target));
  } else if (period > target) {
    channel.period = static_cast<uint16_t>(std::max(period - speed, target));
  }
}

void VibratoSwing(const ChannelContext& c, int shift) {
  MixChannel& ch = c.channel;
  const uint8_t waveform = ch.waveforms & 3;
  SetPeriod(ch, static_cast<uint32_t>(std::max(
                    0, ch.targetPeriod + WaveformOffset(waveform, ch.vibratoPosition, ch.vibratoDepth, shift))));
  if (!FirstTick(c)) ch.vibratoPosition = static_cast<uint8_t>(ch.vibratoPosition + ch.vibratoSpeed);
}

void EffectStep(const ChannelContext& context) {
  const EffectHandler handler = kEffectTable.handlers[context.channel.effect];
  if (handler) handler(context, context.channel.effectParameter);
}

}  // namespace quelt
