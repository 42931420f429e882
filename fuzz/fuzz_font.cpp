// Fuzzes the font loader and the glyph writer: the input is a font file;
// every character is then drawn at positions around the clip edges into
// targets of 1, 2 and 4 bytes per pixel.
#include <cstdint>
#include <string>
#include <vector>

#include "file_harness.h"
#include "graphics/font.h"
#include "graphics/text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static bool prepared = false;
  if (!prepared) {
    fuzzing::EnterScratchFolder("fuzz-font");
    prepared = true;
  }
  fuzzing::WriteInput("f.fnt", data, size);
  UnloadAllFonts();
  try {
    LoadFont("f.fnt", 0);
  } catch (const fuzzing::RuntimeFailure&) {
    return 0;
  }
  constexpr int kWidth = 48;
  constexpr int kHeight = 24;
  std::vector<uint32_t> pixels(kWidth * kHeight + 1);
  TextClip = TextClipRect{4, 0, 40, kHeight - 1};
  for (int bytes : {1, 2, 4}) {
    SetTextTarget(pixels.data(), kWidth, kHeight, bytes, kWidth * bytes);
    for (int character = 0; character < 256; ++character) {
      for (int x : {-20, 0, 3, 4, 30, 40, 41}) DrawGlyph(x, (character % 5) * 6 - 6, static_cast<uint8_t>(character));
    }
    std::string all;
    for (int character = 0; character < 256; ++character) all += static_cast<char>(character);
    DrawStringCentred(20, 2, all);
    TextWidth(all);
  }
  return 0;
}
