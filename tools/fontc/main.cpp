// tervane-fontc: makes one of the game's bitmap font files.
//
//   tervane-fontc --face FILE.ttf --height ROWS --output FILE.fnt
//                 [--shadow] [--outline] [--capitals]
//                 [--segment-digits] [--preview FILE.ppm]
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tools/common/output_file.h"
#include "tools/fontc/font_builder.h"

namespace {

void Usage() {
  std::fputs(
      "usage: tervane-fontc --face FILE.ttf --height ROWS --output FILE.fnt\n"
      "                     [--shadow] [--outline] [--capitals]\n"
      "                     [--segment-digits] [--preview FILE.ppm]\n",
      stderr);
  std::exit(2);
}

}  // namespace

int main(int argc, char** argv) {
  fontc::FontStyle style;
  std::string output, preview;
  for (int i = 1; i < argc; ++i) {
    std::string option = argv[i];
    auto value = [&]() -> std::string {
      if (i + 1 >= argc) Usage();
      return argv[++i];
    };
    if (option == "--face") style.facePath = value();
    else if (option == "--height") style.height = std::atoi(value().c_str());
    else if (option == "--output") output = value();
    else if (option == "--preview") preview = value();
    else if (option == "--shadow") style.shadow = true;
    else if (option == "--outline") style.outline = true;
    else if (option == "--capitals") style.capitals = true;
    else if (option == "--segment-digits") style.segmentDigits = true;
    else Usage();
  }
  if (style.facePath.empty() || output.empty()) Usage();

  fontc::BitmapFont font = fontc::BuildFont(style);
  toolkit::WriteWholeFile(output, font.Serialise());
  if (!preview.empty()) toolkit::WriteWholeFile(preview, fontc::PreviewPicture(font));
  return 0;
}
