// Stands in for the picture loader until it exists: no picture can be found.
#include "graphics/image.h"
#include "shell/mainloop.h"

SurfaceRef LoadImage(const std::string& name) { FatalExit("Picture loading is not available: " + name); }

bool ImageExists(const std::string&) { return false; }
