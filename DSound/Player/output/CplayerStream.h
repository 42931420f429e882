// The streaming thread's body: keeps the device's looping buffer filled
// ahead of its play cursor, and delivers the end of a song.
#pragma once

#include "output/Cplayer.h"

// The streaming routine (the thread's body).
void StreamOutput(SoundOutput& output);

// After a mixing pass: if the player raised the song-end notification, clears
// it and calls the end-of-song callback (if any) with its argument.
void DeliverSongEnd(MixerState& state);
