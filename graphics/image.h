// Picture loading: loose ".jpg" or ".bmp" files beside the program, or entries
// of the resource packs, converted into surfaces in the display's format.
#pragma once

#include <string>

#include "graphics/display.h"

// Loads "Dir\name" (with or without extension). Never fails: a picture that
// cannot be found or decoded ends the game through FatalExit.
SurfaceRef LoadImage(const std::string& name);
// True when LoadImage would find the picture (name without extension).
bool ImageExists(const std::string& name);
