// How long a song lasts, found by playing it ahead in a second instance of
// the module player: the file is loaded again into a module of its own and
// its ticks are run without mixing, until the song ends or comes back to a
// place it has already played in the same state.
#pragma once

#include <string>

struct SongScan {
  bool ok = false;
  double seconds = 0;  // until the end, or until the song repeats
  bool repeats = false;  // the song jumps back for ever instead of ending
};

SongScan ScanSong(const std::string& fileName);
