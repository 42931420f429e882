// The internal effect numbers that every loader translates its format's
// effects into and the player runs, and the sub-commands of the special
// effect (the high nibble of its parameter).
#pragma once

#include <cstdint>

namespace Effect {
constexpr uint8_t None = 0;
constexpr uint8_t SetSpeed = 1;
constexpr uint8_t PositionJump = 2;
constexpr uint8_t PatternBreak = 3;
constexpr uint8_t VolumeSlide = 4;  // with fine forms; memory shared with 5 and 6
constexpr uint8_t PortaDown = 5;    // with fine and extra-fine forms
constexpr uint8_t PortaUp = 6;
constexpr uint8_t TonePorta = 7;
constexpr uint8_t Vibrato = 8;
constexpr uint8_t Tremor = 9;
constexpr uint8_t Arpeggio = 10;
constexpr uint8_t VibratoVolumeSlide = 11;
constexpr uint8_t TonePortaVolumeSlide = 12;
constexpr uint8_t Unhandled = 14;  // kept in the pattern, runs nothing
constexpr uint8_t SampleOffset = 15;
constexpr uint8_t PanningSlide = 16;
constexpr uint8_t Retrigger = 17;
constexpr uint8_t Tremolo = 18;
constexpr uint8_t Special = 19;  // sub-command in the parameter's high nibble
constexpr uint8_t SetTempo = 20;
constexpr uint8_t FineVibrato = 21;
constexpr uint8_t SetGlobalVolume = 22;
constexpr uint8_t GlobalVolumeSlide = 23;
constexpr uint8_t KeyOff = 131;
constexpr uint8_t SetEnvelopePosition = 132;
constexpr uint8_t SetVolume = 134;
constexpr uint8_t PlainPortaUp = 135;    // every tick but the first, no fine forms
constexpr uint8_t PlainPortaDown = 136;
constexpr uint8_t SetPanning = 137;
}  // namespace Effect

// Sub-commands of Effect::Special.
namespace SpecialEffect {
constexpr uint8_t Glissando = 0x1;  // kept, runs nothing
constexpr uint8_t VibratoWaveform = 0x3;
constexpr uint8_t TremoloWaveform = 0x4;
constexpr uint8_t Panning = 0x8;
constexpr uint8_t PatternLoop = 0xB;
constexpr uint8_t NoteCut = 0xC;
constexpr uint8_t NoteDelay = 0xD;
constexpr uint8_t PatternDelay = 0xE;
}  // namespace SpecialEffect

// The parameter of Effect::Special for a sub-command and its argument.
constexpr uint8_t SpecialParameter(uint8_t command, uint8_t argument) {
  return static_cast<uint8_t>(command << 4 | (argument & 15));
}
