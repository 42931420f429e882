// The playing song's position, and the status line that shows it.
#pragma once

#include <string>

#include "song_scan.h"

struct SongPosition {
  bool playing = false;
  int order = 0;  // index in the order list
  int orders = 0;  // entries in the order list
  int pattern = 0;
  int row = 0;
};

// Where the library's player stands, read between two mixing passes.
SongPosition ReadSongPosition();

// "m:ss", or "h:mm:ss" from an hour on.
std::string FormatTime(double seconds);

// One line: file, order, pattern, row, time played and the song's length,
// cut to width characters.
std::string StatusLine(const std::string& file, const SongPosition& position, double elapsed,
                       const SongScan& length, size_t width);
