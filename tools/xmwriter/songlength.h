// How long a module plays, counted the way a player walks it: row by row
// through the order list, following speed and tempo changes, pattern breaks,
// position jumps and pattern delays, until the order list ends or the song
// jumps back to a position it has played. Pattern loops (E6x) are not
// followed: modules measured here do not use them.
#pragma once

#include "tools/xmwriter/xmmodule.h"

namespace xm {

struct SongTiming {
  double seconds = 0;         // from the start to the end of the order list
  double restartSeconds = 0;  // when the restart position is first reached
  int rows = 0;               // rows played
};

SongTiming MeasureSong(const Module& module);

}  // namespace xm
