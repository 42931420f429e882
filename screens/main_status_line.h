// The main screen's status line: each status text is rendered once, in the
// platform's "Arial" with a shadow and an outline, into a 400 x 40 picture
// of its own, and kept for the whole run; the line then shows by one copy.
#pragma once

#include <string>
#include <vector>

#include "graphics/display.h"

constexpr int kStatusCacheEntries = 25;
constexpr int kStatusLineX = 140;
constexpr int kStatusLineY = 554;
constexpr int kStatusPictureWidth = 400;
constexpr int kStatusPictureHeight = 40;

class StatusLineCache {
 public:
  // Copies the picture of the text to the frame, making it first when the
  // text has none yet. A 26th text ends the game as a fatal error.
  void Draw(Surface& frame, const std::string& text);
  // Forgets every picture (a new load of the screen).
  void Clear();
  int Entries() const { return static_cast<int>(entries_.size()); }

 private:
  struct Entry {
    std::string text;
    SurfaceRef picture;
  };
  std::vector<Entry> entries_;
  int shown_ = -1;  // the entry shown last
};

// One status text rendered as the line shows it: the text centred, then its
// shadow to the right and below, then a dark outline around both.
SurfaceRef MakeStatusPicture(const std::string& text);
