#include "graphics/font.h"

#include "platform/files.h"

uint8_t FontCount = 0;
uint8_t CurrentFont = 0;
int32_t FontError = 0;

namespace {

std::array<BitmapFont, kMaxFonts + 1> Fonts;  // used from index 1

}  // namespace

void LoadFont(std::string_view fileName, int64_t offset) {
  if (FontCount >= kMaxFonts) {
    FontError = 2;
    return;
  }
  platform::BinaryFile file;
  file.Open(fileName, platform::BinaryFile::Mode::kRead);
  file.Seek(offset);
  BitmapFont font;
  file.ReadExact(font.widths.data(), font.widths.size());
  size_t glyphBytes = static_cast<size_t>(font.GlyphBytes()) * kFontGlyphCount;
  size_t padding = static_cast<size_t>(font.Height()) * font.RowBytes() + 4;
  font.glyphs.assign(glyphBytes + padding, 0);
  file.ReadExact(font.glyphs.data(), glyphBytes);
  file.Close();
  font.widths[' ' - 16] = static_cast<uint8_t>(font.widths[' ' - 16] + 2);
  ++FontCount;
  Fonts[FontCount] = std::move(font);
  CurrentFont = FontCount;
}

void SelectFont(int n) {
  if (n <= FontCount) CurrentFont = static_cast<uint8_t>(n);
}

const BitmapFont* CurrentFontData() {
  if (CurrentFont < 1 || CurrentFont > FontCount) return nullptr;
  return &Fonts[CurrentFont];
}

void UnloadAllFonts() {
  for (BitmapFont& font : Fonts) font = BitmapFont{};
  FontCount = 0;
  CurrentFont = 0;
  FontError = 0;
}
