// Writing a composition into a module: patterns, and lines of events per
// channel in a compact notation of our own.
//
// A line is a list of events separated by spaces, each
//   ROW:NOTE[@VOLUME][~VV][!EFFECT]
// ROW     row in the pattern (decimal)
// NOTE    "C-4", "C#4", "Bb3" (1 = C-0 ... 96 = B-7), "==" key off, ".." none
// VOLUME  decimal 0-64, written to the volume column
// ~VV     a raw volume-column byte in hex (slides, panning, vibrato)
// EFFECT  the effect letter or digit and two hex digits, e.g. "A04", "304"
// A note gets the line's instrument, unless its effect is a tone
// portamento (3 or 5), which glides the sounding note instead. Events only
// change the fields they give, so several lines may share a channel.
#pragma once

#include <cstdint>
#include <string_view>

#include "tools/xmwriter/xmmodule.h"

namespace music {

// The note number of a name as written above; invalid_argument otherwise.
uint8_t ParseNote(std::string_view name);

class Score {
 public:
  explicit Score(xm::Module& module) : module_(module) {}

  // Appends an empty pattern; returns its index.
  int AddPattern(int rows);
  // Writes the events of `line` into one channel of a pattern (invalid_argument
  // for a malformed event, out_of_range for a cell outside the pattern).
  void Line(int pattern, int channel, int instrument, std::string_view line);

  int Rows(int pattern) const { return module_.patterns.at(static_cast<size_t>(pattern)).Rows(); }
  xm::Cell& At(int pattern, int row, int channel) {
    return module_.patterns.at(static_cast<size_t>(pattern)).At(row, channel);
  }

 private:
  xm::Module& module_;
};

}  // namespace music
