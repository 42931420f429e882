// Commands of the volume column (0x50-0xEF), run on every tick of the row.
// Volumes 0-64 in that column were already applied by the note step.
#include "player/ModulePlayerVolumeColumn.h"

#include <algorithm>

#include "player/ModulePlayerEffects.h"
#include "player/ModulePlayerNotes.h"

namespace quelt {

namespace {

using VolumeCommand = void (*)(const ChannelContext&, uint8_t x);

bool FirstTick(const ChannelContext& c) { return c.state.tick == 0; }

void SlideDown(const ChannelContext& c, uint8_t x) {
  if (!FirstTick(c)) AddVolume(c.channel, -x);
}

void SlideUp(const ChannelContext& c, uint8_t x) {
  if (!FirstTick(c)) AddVolume(c.channel, x);
}

void FineDown(const ChannelContext& c, uint8_t x) {
  if (FirstTick(c)) AddVolume(c.channel, -x);
}

void FineUp(const ChannelContext& c, uint8_t x) {
  if (FirstTick(c)) AddVolume(c.channel, x);
}

void VibratoSpeed(const ChannelContext& c, uint8_t x) {
  if (x != 0) c.channel.vibratoSpeed = x;
}

void VibratoDepth(const ChannelContext& c, uint8_t x) {
  if (x != 0) c.channel.vibratoDepth = x;
  VibratoSwing(c, 5);
}

void Panning(const ChannelContext& c, uint8_t x) {
  if (FirstTick(c)) c.channel.panning = static_cast<uint8_t>(x * 16);
}

void PanLeft(const ChannelContext& c, uint8_t x) {
  if (!FirstTick(c)) c.channel.panning = static_cast<uint8_t>(std::max(c.channel.panning - x, 0));
}

void PanRight(const ChannelContext& c, uint8_t x) {
  if (!FirstTick(c)) c.channel.panning = static_cast<uint8_t>(std::min(c.channel.panning + x, 255));
}

void TonePortaColumn(const ChannelContext& c, uint8_t) { MoveTowardTarget(c.channel); }

// Indexed by the high nibble of the column byte.
constexpr VolumeCommand kCommands[16] = {
    nullptr,      nullptr, nullptr,      nullptr,  nullptr, SlideDown, SlideUp, FineDown,
    FineUp, VibratoSpeed, VibratoDepth, Panning, PanLeft, PanRight, TonePortaColumn, nullptr,
};

}  // namespace

void VolumeColumnStep(const ChannelContext& context) {
  const uint8_t value = context.channel.volumeColumn;
  const VolumeCommand command = kCommands[value >> 4];
  if (command) command(context, value & 15);
}

}  // namespace quelt
