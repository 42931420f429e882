// One painter per screen folder of the program directory.
#pragma once

#include "tools/art/studio.h"

namespace art {

void PaintSplashScreen(Studio& studio);     // "Init"
void PaintGameScreen(Studio& studio);       // "Main"
void PaintWindowedScreens(Studio& studio);  // "Message", "Options", "NewRecord", "Finish", "Fail"
void PaintMapSelection(Studio& studio);     // "SelectMap"
void PaintScoresScreen(Studio& studio);     // "Scores"
void PaintHelpScreen(Studio& studio);       // "Help"
void PaintPointers(Studio& studio);         // "Mouse", the window icon and the menu icon

// Shared scenery: the dusk archipelago seen from the shore, filling the canvas.
void PaintDuskScene(Canvas& canvas, uint32_t seed);

}  // namespace art
