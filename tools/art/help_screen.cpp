#include "tools/art/help_screen.h"

#include <fstream>
#include <sstream>

#include "tools/art/shapes.h"
#include "tools/art/terrain.h"
#include "tools/art/widgets.h"
#include "tools/common/output_file.h"

namespace art {

namespace {

struct Block {
  bool heading;
  std::string text;
};

std::vector<Block> ReadHelpText(const std::string& path) {
  std::ifstream file(path);
  if (!file) toolkit::Fail("cannot read " + path);
  std::vector<Block> blocks;
  std::string line, paragraph;
  auto flush = [&]() {
    if (!paragraph.empty()) blocks.push_back({false, paragraph});
    paragraph.clear();
  };
  while (std::getline(file, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.rfind("# ", 0) == 0) {
      flush();
      blocks.push_back({true, line.substr(2)});
    } else if (line.empty()) {
      flush();
    } else {
      paragraph += paragraph.empty() ? line : " " + line;
    }
  }
  flush();
  return blocks;
}

// Samples of the three grounds, so the rules can point at them.
void PaintLegend(Canvas& image, const Faces& faces) {
  const int top = 544, size = 36;
  struct Sample {
    Canvas texture;
    const char* caption;
  };
  Sample samples[] = {{FogTexture(64, 2200), "unexplored"},
                      {LandTexture(64, 2300), "explored"},
                      {CursedTexture(64, 2400), "radiated"}};
  TextStyle caption;
  caption.size = 14;
  caption.fill = palette::kSand;
  int x = 52;
  for (const Sample& sample : samples) {
    image.Draw(sample.texture.Crop({0, 0, size, size}), x, top);
    Bevel(image, {x, top, size, size}, 2, false);
    faces.body->Draw(image, sample.caption, x + size + 8, top + 10, caption);
    x += 170;
  }
}

}  // namespace

void PaintHelpScreen(Studio& studio) {
  const Faces& faces = studio.faces();
  Canvas image(800, 600);
  MetalPlate(image, {0, 0, 800, 600}, 6000, {48, 52, 54});
  Bevel(image, {0, 0, 800, 600}, 3, true);
  RivetCorners(image, {0, 0, 800, 600}, 12);
  HazardStripes(image, {30, 14, 740, 8}, 10);

  TextStyle title;
  title.size = 34;
  title.tracking = 3;
  title.fill = {250, 236, 180};
  title.fillBottom = {214, 160, 70};
  title.outline = 2;
  title.outlineColour = {26, 18, 22};
  faces.title->Draw(image, "HOW TO PLAY", 400, 28, title, Align::kCentre);

  const Rect page{30, 72, 740, 460};
  DisplayWell(image, page, {24, 30, 32});

  TextStyle heading;
  heading.size = 17;
  heading.fill = {176, 250, 110};
  heading.shadow = 1;
  TextStyle body;
  body.size = 14;
  body.fill = {232, 226, 206};
  body.shadow = 1;
  body.shadowOpacity = 0.8f;

  int y = page.y + 6;
  const int left = page.x + 22, width = page.width - 44;
  for (const Block& block : ReadHelpText(studio.contentDir() + "/Help/help.txt")) {
    if (block.heading) {
      y += 2;
      faces.title->Draw(image, block.text, left, y, heading);
      y += faces.title->LineHeight(heading) + 1;
      continue;
    }
    for (const std::string& line : faces.body->Wrap(block.text, body, width)) {
      faces.body->Draw(image, line, left, y, body);
      y += faces.body->LineHeight(body);
    }
    y += 2;
  }
  if (y > page.Bottom() - 4) toolkit::Fail("the help text does not fit its page (ends at " + std::to_string(y) + ")");
  PaintLegend(image, faces);
  AddButtonPictures(studio, "Help", studio.Buttons("Help"), &image, 6100);
  studio.Add("Help", "Image", FileKind::kJpeg, image);
}

}  // namespace art
