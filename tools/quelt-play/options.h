// quelt-play's command line.
#pragma once

#include <string>
#include <vector>

struct PlayOptions {
  std::vector<std::string> files;
  bool loop = false;
  int interpolation = 2;
  unsigned short rate = 44100;
  bool stereo = true;
  bool sixteenBit = true;
  unsigned char volume = 128;
  double start = 0;  // seconds into each song
  bool settings = false;
  bool help = false;
};

// Reads the arguments (without the program name); false with the reason in
// error when they are not valid.
bool ParsePlayOptions(const std::vector<std::string>& arguments, PlayOptions& options, std::string& error);

// The manual page printed by --help.
extern const char* const kPlayManual;
