// The module player's entry points, as the mixer and the exported functions
// call them. None of them waits for the busy byte itself:
//  - PlayerTick runs inside a mixing pass (the mixer is busy);
//  - PlayerStart and PlayerStop are called by a client holding a MixerClaim
//    (Cmixer.h), so they may change the channels freely. A song that ends
//    inside PlayerTick stops itself there, without PlayerStop.
#pragma once

struct MixerState;
struct ModuleSlot;

// Stops whatever plays, then starts the module from its first order.
// False when the slot holds no module (nothing plays then).
bool PlayerStart(MixerState& state, ModuleSlot& module);

// Stops the current module: playing 0, its in-use flag cleared, music channel
// count 0, song end 0. The module stays loaded. Always true.
bool PlayerStop(MixerState& state);

// One tick of the current module: rows, notes, effects, periods, frequencies,
// volumes, panning and envelopes of the music channels. Called by the mixer
// while a module plays.
void PlayerTick(MixerState& state);
