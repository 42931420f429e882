#include <gtest/gtest.h>

#include <vector>

#include "tools/fontc/font_builder.h"
#include "tools/fontc/glyph_cell.h"
#include "tools/fontc/segment_digits.h"

namespace {

using fontc::GlyphCell;

int CountValue(const GlyphCell& cell, uint8_t value) {
  int count = 0;
  for (int y = 0; y < cell.Height(); ++y) {
    for (int x = 0; x < fontc::kCellWidth; ++x) count += cell.At(x, y) == value;
  }
  return count;
}

// Guards against glyph rows packed in the wrong bit order: the game reads
// pixel 0 from the two lowest bits of a row's first byte.
TEST(GlyphCell, PacksPixelZeroIntoTheLowestBits) {
  GlyphCell cell(2);
  cell.Set(0, 0, fontc::kBody);
  cell.Set(1, 0, fontc::kShade);
  cell.Set(3, 0, fontc::kOutline);
  cell.Set(4, 0, fontc::kBody);
  cell.Set(15, 0, fontc::kOutline);
  cell.Set(16, 0, fontc::kBody);  // outside the 16 drawable pixels: ignored
  std::vector<uint8_t> bytes;
  cell.AppendPacked(bytes);
  ASSERT_EQ(bytes.size(), 8u);
  EXPECT_EQ(bytes[0], 0xC9);  // 1, 2, 0, 3
  EXPECT_EQ(bytes[1], 0x01);
  EXPECT_EQ(bytes[2], 0x00);
  EXPECT_EQ(bytes[3], 0xC0);
  for (size_t i = 4; i < 8; ++i) EXPECT_EQ(bytes[i], 0) << i;
}

// Guards against decorations that cover the body or leave gaps: the shadow
// falls right of and below the body, the outline rings body and shadow.
TEST(GlyphCell, ShadowAndOutlineSurroundTheBody) {
  GlyphCell cell(12);
  cell.Set(5, 5, fontc::kBody);
  cell.AddShadow();
  EXPECT_EQ(cell.At(6, 5), fontc::kShade);
  EXPECT_EQ(cell.At(5, 6), fontc::kShade);
  EXPECT_EQ(cell.At(6, 6), fontc::kShade);
  EXPECT_EQ(cell.At(4, 5), fontc::kEmpty);
  cell.AddOutline();
  EXPECT_EQ(cell.At(5, 5), fontc::kBody);
  EXPECT_EQ(CountValue(cell, fontc::kOutline), 4 * 4 - 4);
  EXPECT_EQ(cell.At(4, 4), fontc::kOutline);
  EXPECT_EQ(cell.At(7, 7), fontc::kOutline);
  EXPECT_EQ(cell.InkColumns(), 8);
  EXPECT_EQ(cell.InkRows(), 8);
}

// Guards against counter figures that cannot be read: 8 lights every
// segment, 1 only the right-hand ones, and unlit segments stay dim.
TEST(SegmentDigits, LightOnlyTheDigitsSegments) {
  GlyphCell eight(16), one(16);
  fontc::DrawSegmentDigit(eight, 8, 1, 1, 9, 14);
  fontc::DrawSegmentDigit(one, 1, 1, 1, 9, 14);
  EXPECT_EQ(CountValue(eight, fontc::kShade), 0);
  EXPECT_GT(CountValue(eight, fontc::kBody), 40);
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 6; ++x) EXPECT_NE(one.At(x, y), fontc::kBody) << x << "," << y;
  }
  EXPECT_EQ(CountValue(one, fontc::kBody) + CountValue(one, fontc::kShade), CountValue(eight, fontc::kBody));
}

class BuiltFont : public testing::Test {
 protected:
  static fontc::BitmapFont Build(bool capitals) {
    fontc::FontStyle style;
    style.facePath = TERVANE_FACE_BOLD;
    style.height = 18;
    style.shadow = true;
    style.outline = true;
    style.capitals = capitals;
    return fontc::BuildFont(style);
  }
};

// Guards against a file the game would misread: the geometry in the width
// table entries of codes 28, 29 and 31 and exactly 224 glyphs after it.
TEST_F(BuiltFont, SerialisesTheGeometryAndEveryGlyph) {
  fontc::BitmapFont font = Build(false);
  std::vector<uint8_t> bytes = font.Serialise();
  ASSERT_EQ(bytes.size(), 240u + 224u * 18u * 4u);
  EXPECT_EQ(bytes[28 - 16], 16);
  EXPECT_EQ(bytes[29 - 16], 18);
  EXPECT_EQ(bytes[31 - 16], 72);
  EXPECT_EQ(bytes['A' - 16], font.widths['A']);
  EXPECT_GT(font.widths['W'], font.widths['i']);
  EXPECT_EQ(font.widths[127], 0);  // not a printable character
  for (int code = 0xC0; code <= 0xFF; ++code) EXPECT_GT(font.widths[code], 0) << code;
  for (int code = 33; code < 127; ++code) {
    EXPECT_LE(font.glyphs[code - 32].InkColumns(), 16) << code;
    EXPECT_GT(CountValue(font.glyphs[code - 32], fontc::kBody), 0) << code;
  }
}

// Guards against the capitals style missing letters, accented ones included.
TEST_F(BuiltFont, CapitalsStyleDrawsSmallLettersAsCapitals) {
  fontc::BitmapFont font = Build(true);
  std::vector<uint8_t> small, capital;
  for (int code : {int{'a'}, int{'q'}, int{'z'}, 0xE9}) {
    small.clear();
    capital.clear();
    font.glyphs[code - 32].AppendPacked(small);
    font.glyphs[code - 32 - 32].AppendPacked(capital);
    EXPECT_EQ(small, capital) << code;
  }
}

}  // namespace
