// tervane-art: paints every picture of the game into a staging folder.
//
//   tervane-art --content DIR --output DIR
//               --title-face FILE --body-face FILE --bold-face FILE
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "tools/art/game_screen.h"
#include "tools/art/help_screen.h"
#include "tools/art/map_selection.h"
#include "tools/art/pointers.h"
#include "tools/art/scores_screen.h"
#include "tools/art/splash_screen.h"
#include "tools/art/windowed_screens.h"

namespace {

void Usage() {
  std::fputs(
      "usage: tervane-art --content DIR --output DIR\n"
      "                   --title-face FILE --body-face FILE --bold-face FILE\n",
      stderr);
  std::exit(2);
}

}  // namespace

int main(int argc, char** argv) {
  std::string content, output, titleFace, bodyFace, boldFace;
  for (int i = 1; i < argc; ++i) {
    std::string option = argv[i];
    if (i + 1 >= argc) Usage();
    std::string value = argv[++i];
    if (option == "--content") content = value;
    else if (option == "--output") output = value;
    else if (option == "--title-face") titleFace = value;
    else if (option == "--body-face") bodyFace = value;
    else if (option == "--bold-face") boldFace = value;
    else Usage();
  }
  if (content.empty() || output.empty() || titleFace.empty() || bodyFace.empty() ||
      boldFace.empty()) {
    Usage();
  }

  art::Faces faces;
  faces.title = std::make_unique<art::TextPainter>(titleFace);
  faces.body = std::make_unique<art::TextPainter>(bodyFace);
  faces.bold = std::make_unique<art::TextPainter>(boldFace);
  art::Studio studio(content, faces);
  art::PaintSplashScreen(studio);
  art::PaintGameScreen(studio);
  art::PaintWindowedScreens(studio);
  art::PaintMapSelection(studio);
  art::PaintScoresScreen(studio);
  art::PaintHelpScreen(studio);
  art::PaintPointers(studio);
  studio.WriteAll(output);
  return 0;
}
