#include <gtest/gtest.h>

#include "graphics/font.h"
#include "graphics/pixelops.h"
#include "graphics/text.h"
#include "graphics/textsurface.h"
#include "pack_test_support.h"
#include "support/test_display.h"

namespace {

// A font whose every glyph is a solid 4 x 3 block of value 1, 4 wide.
std::vector<uint8_t> BlockFont() {
  std::vector<uint8_t> file(kFontWidthTableSize, 4);
  file[12] = 16;
  file[13] = 3;
  file[15] = 12;
  for (int glyph = 0; glyph < kFontGlyphCount; ++glyph) {
    for (int row = 0; row < 3; ++row) {
      file.push_back(0x55);  // four pixels of value 1
      file.insert(file.end(), 3, 0);
    }
  }
  return file;
}

class TextSurfaceTest : public testing::Test {
 protected:
  void SetUp() override {
    testing_support::OpenTestDisplay();
    UnloadAllFonts();
    folder_.Write("Fonts/block.fnt", BlockFont());
    LoadFont("Fonts\\block.fnt", 0);
    LetterSpacing = 1;
    TextClip = TextClipRect{};
    surface_ = CreateOffscreen(100, 40);
  }
  void TearDown() override {
    UnloadAllFonts();
    TextBackColour = 0;
  }
  int Lit(int left, int top, int right, int bottom, uint16_t background = 0) const {
    int count = 0;
    for (int y = top; y < bottom; ++y)
      for (int x = left; x < right; ++x) count += surface_->PixelAt(x, y) != background;
    return count;
  }
  testing_support::ScratchFolder folder_;
  SurfaceRef surface_;
};

// Guards the surface call: it selects the font, writes 16-bit pixels at the
// pitch of the surface, centres on request and leaves the surface unlocked.
TEST_F(TextSurfaceTest, BitmapTextOnASurface) {
  TextColour1 = PackColour(255, 255, 0);
  DrawTextOnSurface(*surface_, 10, 5, false, "ab", 1);
  EXPECT_FALSE(surface_->IsLockedNow());
  EXPECT_EQ(surface_->PixelAt(10, 5), PackColour(255, 255, 0));
  EXPECT_EQ(surface_->PixelAt(15, 7), PackColour(255, 255, 0));  // second glyph at 10 + 4 + 1
  EXPECT_EQ(surface_->PixelAt(14, 5), 0);
  EXPECT_EQ(Lit(0, 0, 100, 40), 2 * 4 * 3);
  DrawTextOnSurface(*surface_, 50, 20, true, "abc", 1);  // width 14: from 43
  EXPECT_EQ(surface_->PixelAt(43, 20), PackColour(255, 255, 0));
  EXPECT_EQ(surface_->PixelAt(42, 20), 0);
}

// Guards the platform text: drawn in DrawColour inside its layout box,
// centred around x on request, on an opaque background when one is set.
TEST_F(TextSurfaceTest, PlatformText) {
  SurfaceRef wide = CreateOffscreen(800, 100);
  DrawColour = platform::RGB(255, 255, 255);
  FaceName = "Arial";
  FontWeight = 700;
  DrawPlatformText(*wide, 20, 10, false, "Tervane", 20);
  int lit = 0, white = 0, outside = 0;
  for (int y = 0; y < 100; ++y) {
    for (int x = 0; x < 800; ++x) {
      uint16_t pixel = wide->PixelAt(x, y);
      bool inside = x >= 20 && x < 200 && y >= 10 && y < 32;
      lit += pixel != 0;
      white += pixel == 0xFFFF;
      if (!inside && pixel != 0) ++outside;
    }
  }
  EXPECT_GT(lit, 100);
  EXPECT_GT(white, 30);
  EXPECT_EQ(outside, 0);

  SurfaceRef centred = CreateOffscreen(800, 100);
  DrawPlatformText(*centred, 400, 10, true, "Tervane", 20);
  int left = 0, right = 0;
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < 800; ++x)
      if (centred->PixelAt(x, y) != 0) (x < 400 ? left : right)++;
  EXPECT_GT(left, 30);
  EXPECT_GT(right, 30);
  EXPECT_LT(std::abs(left - right), (left + right) / 4);

  SurfaceRef opaque = CreateOffscreen(800, 100);
  TextBackColour = platform::RGB(0, 0, 255);
  DrawPlatformText(*opaque, 20, 10, false, "Tervane", 20);
  EXPECT_EQ(opaque->PixelAt(20, 10), PackColour(0, 0, 255));
  EXPECT_EQ(opaque->PixelAt(19, 10), 0);
}

struct FieldMode : tmode {};

// Guards the text fields of a mode's Draw: font 1 in light grey, left-aligned
// while it fits, end-aligned (caret visible) when it is too long.
TEST_F(TextSurfaceTest, TextFieldsOfAMode) {
  FieldMode mode;
  mode.textFieldCount = 1;
  TextField& field = mode.textFields[1];
  field.X = 100;
  field.Y = 200;
  field.Width = 60;
  field.Height = 20;
  field.text = "ab";
  mode.focusedField = 1;
  mode.Draw();
  uint16_t grey = PackColour(220, 220, 220);
  EXPECT_EQ(BackBuffer->PixelAt(103, 207), grey);  // "ab_" starts at X + 3, Y + 7
  EXPECT_EQ(BackBuffer->PixelAt(102, 207), 0);

  field.text = std::string(20, 'x');  // 21 glyphs with the caret: 104 wide
  mode.Draw();
  int end = 100 + 60 - 4;  // the text ends 4 pixels before the right edge
  EXPECT_EQ(BackBuffer->PixelAt(end - 1, 207), grey);
  EXPECT_EQ(BackBuffer->PixelAt(end, 207), 0);
  EXPECT_EQ(BackBuffer->PixelAt(101, 207), PackColour(150, 150, 150)) << "clipped at X + 2: the outline stays";
  EXPECT_EQ(BackBuffer->PixelAt(102, 207), grey);
  EXPECT_EQ(TextClip.left, 0);
  EXPECT_EQ(TextClip.right, 799);
}

}  // namespace
