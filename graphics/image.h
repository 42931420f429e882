// Picture loading: "Main\Image" is found as a loose Main\Image.jpg, else
// Main\Image.bmp, else the entry Image of the pack Main\graphics.dat (names
// without a folder live in game.dat), decoded and converted once into a new
// system-memory surface in the display's format.
#pragma once

#include <string>
#include <string_view>

#include "graphics/display.h"

// A missing picture, damaged picture data and unknown formats end the game
// as fatal errors. The window is kept alive between decoding stages.
SurfaceRef LoadImage(std::string_view name);
// True when LoadImage would find the picture (name without extension).
bool ImageExists(std::string_view name);

// The pack that holds a name (folder + "\graphics.dat", or "game.dat") and
// the entry name inside it (after the first backslash, without the
// four-character extension).
std::string ImagePackName(std::string_view name);
std::string ImageEntryName(std::string_view name);
