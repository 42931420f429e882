#include <cstring>
#include <string>

#include "game_directory.h"
#include "graphics/font.h"
#include "graphics/text.h"
#include "graphics/textsurface.h"

namespace content_test {
namespace {

struct FontFile {
  const char* name;
  int height;
};

// Loaded by the display set-up in this order: fonts 1 to 5.
const FontFile kFonts[] = {{"Fonts\\font16.fnt", 16},
                           {"Fonts\\font20p.fnt", 20},
                           {"Fonts\\digits16.fnt", 16},
                           {"Fonts\\game20.fnt", 20},
                           {"Fonts\\font14p.fnt", 14}};

class FontTest : public GameDirectoryTest {
 protected:
  void SetUp() override {
    GameDirectoryTest::SetUp();
    UnloadAllFonts();
    for (const FontFile& font : kFonts) LoadFont(font.name, 0);
    TextColour1 = 0x1111;
    TextColour2 = 0x2222;
    TextColour3 = 0x3333;
    LetterSpacing = 1;
    TextClip = TextClipRect{};
    canvas_ = CreateOffscreen(800, 600);
  }
  void TearDown() override {
    UnloadAllFonts();
    GameDirectoryTest::TearDown();
  }

  // Draws the text at (x, y) on a cleared canvas; returns the box of the
  // pixels written (right and bottom exclusive), or an empty box.
  Box Draw(int font, const std::string& text, int x, int y) {
    DrawColour = 0;
    ClearSurface(*canvas_);
    DrawTextOnSurface(*canvas_, x, y, false, text, font);
    Box box{800, 600, 0, 0};
    int right = -1, bottom = -1;
    for (int py = 0; py < 600; ++py) {
      for (int px = 0; px < 800; ++px) {
        if (canvas_->PixelAt(px, py) == 0) continue;
        box.x = std::min(box.x, px), box.y = std::min(box.y, py);
        right = std::max(right, px), bottom = std::max(bottom, py);
      }
    }
    if (right < 0) return {0, 0, 0, 0};
    box.width = right - box.x + 1;
    box.height = bottom - box.y + 1;
    return box;
  }

  SurfaceRef canvas_;
};

// Guards against a font file whose geometry the renderer cannot use: rows
// of 4 bytes (16 drawable pixels) and glyphs of height x 4 bytes.
TEST_F(FontTest, EveryFontLoadsWithItsGeometry) {
  ASSERT_EQ(FontCount, 5);
  for (int n = 1; n <= 5; ++n) {
    SelectFont(n);
    const BitmapFont* font = CurrentFontData();
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->CellWidth(), 16) << kFonts[n - 1].name;
    EXPECT_EQ(font->Height(), kFonts[n - 1].height) << kFonts[n - 1].name;
    EXPECT_EQ(font->GlyphBytes(), font->Height() * font->RowBytes()) << kFonts[n - 1].name;
  }
}

// Guards against missing or invisible characters and against advance widths
// that let a glyph spill into its neighbour or beyond the 16 drawable pixels.
TEST_F(FontTest, EveryPrintableCharacterMeasuresAndDraws) {
  for (int n = 1; n <= 5; ++n) {
    for (int code = 33; code < 127; ++code) {
      std::string text(1, static_cast<char>(code));
      SelectFont(n);
      int width = TextWidth(text);
      Box drawn = Draw(n, text, 100, 50);
      SCOPED_TRACE(std::string(kFonts[n - 1].name) + " '" + text + "'");
      EXPECT_GT(width, 0);
      EXPECT_LE(width, 16);
      ASSERT_GT(drawn.width, 0);
      EXPECT_GE(drawn.x, 100);
      EXPECT_LE(drawn.x + drawn.width, 100 + width + 2);  // at most the touching outline
      EXPECT_GE(drawn.y, 50);
      EXPECT_LE(drawn.y + drawn.height, 50 + kFonts[n - 1].height);
    }
  }
}

// Guards against strings measured differently from how they are drawn:
// centring would then put text off its mark.
TEST_F(FontTest, WholeAlphabetDrawsWithinItsMeasuredWidth) {
  std::string ascii;
  for (int code = 32; code < 127; ++code) ascii += static_cast<char>(code);
  for (int n = 1; n <= 5; ++n) {
    for (size_t start = 0; start < ascii.size(); start += 32) {
      std::string text = ascii.substr(start, 32);
      SelectFont(n);
      int width = TextWidth(text);
      Box drawn = Draw(n, text, 10, 100);
      SCOPED_TRACE(std::string(kFonts[n - 1].name) + " " + text);
      EXPECT_LT(width, 780);
      EXPECT_GE(drawn.x, 10);
      EXPECT_LE(drawn.x + drawn.width, 10 + width + 2);
    }
  }
}

// Guards against counters and score columns that jitter: every font's
// digits share one advance.
TEST_F(FontTest, DigitsShareOneWidth) {
  for (int n = 1; n <= 5; ++n) {
    SelectFont(n);
    for (char digit = '1'; digit <= '9'; ++digit) {
      EXPECT_EQ(TextWidth(std::string(1, digit)), TextWidth("0")) << kFonts[n - 1].name << " " << digit;
    }
  }
}

// Guards against the message font drawing small letters: the message box
// writes capitals, and the font draws small letters as capitals too.
TEST_F(FontTest, MessageFontDrawsCapitalsOnly) {
  SelectFont(4);
  const BitmapFont* font = CurrentFontData();
  const size_t bytes = static_cast<size_t>(font->GlyphBytes());
  for (char small = 'a'; small <= 'z'; ++small) {
    char capital = static_cast<char>(small - 32);
    EXPECT_EQ(font->Width(static_cast<uint8_t>(small)), font->Width(static_cast<uint8_t>(capital))) << small;
    EXPECT_EQ(std::memcmp(&font->glyphs[(small - 32) * bytes], &font->glyphs[(capital - 32) * bytes], bytes), 0)
        << small;
  }
}

}  // namespace
}  // namespace content_test
