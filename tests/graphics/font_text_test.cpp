#include <gtest/gtest.h>

#include <vector>

#include "graphics/font.h"
#include "graphics/text.h"
#include "pack_test_support.h"
#include "platform/files.h"

namespace {

// A font with 16-pixel cells (4 bytes a row), 3 rows, 12 bytes a glyph.
// Glyph rows are given as 16 two-bit values, pixel 0 first.
struct FontBuilder {
  std::vector<uint8_t> widths = std::vector<uint8_t>(kFontWidthTableSize, 5);
  std::vector<uint8_t> glyphs = std::vector<uint8_t>(12 * kFontGlyphCount, 0);
  FontBuilder() {
    widths[12] = 16;
    widths[13] = 3;
    widths[15] = 12;
  }
  void Row(uint8_t character, int row, const std::vector<int>& values) {
    uint32_t word = 0;
    for (size_t i = 0; i < values.size() && i < 16; ++i) word |= static_cast<uint32_t>(values[i]) << (2 * i);
    size_t at = static_cast<size_t>(character - 32) * 12 + row * 4;
    for (int b = 0; b < 4; ++b) glyphs[at + b] = static_cast<uint8_t>(word >> (8 * b));
  }
  void Width(uint8_t character, int width) { widths[character - 16] = static_cast<uint8_t>(width); }
  std::vector<uint8_t> File(size_t leading = 0) const {
    std::vector<uint8_t> file(leading, 0xAA);
    file.insert(file.end(), widths.begin(), widths.end());
    file.insert(file.end(), glyphs.begin(), glyphs.end());
    return file;
  }
};

class TextTest : public testing::Test {
 protected:
  void SetUp() override {
    UnloadAllFonts();
    LetterSpacing = 1;
    TextClip = TextClipRect{};
    TextColour1 = 0x1111;
    TextColour2 = 0x2222;
    TextColour3 = 0x3333;
  }
  void TearDown() override { UnloadAllFonts(); }
  void Load(const FontBuilder& builder) {
    folder_.Write("Fonts/test.fnt", builder.File());
    LoadFont("Fonts\\test.fnt", 0);
  }
  // A 2-bytes-per-pixel target of 40 x 8 pixels, cleared to 0.
  std::vector<uint16_t> Target() {
    std::vector<uint16_t> pixels(40 * 8, 0);
    return pixels;
  }
  testing_support::ScratchFolder folder_;
};

// Guards the font table: load order and current font, the widened space,
// reading from an offset, the refused eleventh font and ignored selections.
TEST_F(TextTest, LoadingAndSelecting) {
  FontBuilder builder;
  builder.Width(' ', 4);
  folder_.Write("f.fnt", builder.File(7));
  LoadFont("f.fnt", 7);
  EXPECT_EQ(FontCount, 1);
  EXPECT_EQ(CurrentFont, 1);
  EXPECT_EQ(TextWidth(" "), 6);
  for (int i = 2; i <= 10; ++i) LoadFont("f.fnt", 7);
  EXPECT_EQ(CurrentFont, 10);
  SelectFont(3);
  LoadFont("f.fnt", 7);
  EXPECT_EQ(FontError, 2);
  EXPECT_EQ(FontCount, 10);
  EXPECT_EQ(CurrentFont, 3);
  SelectFont(11);
  EXPECT_EQ(CurrentFont, 3);
}

// Guards the run-time errors of a missing or short font file.
TEST_F(TextTest, MissingOrShortFileIsARuntimeError) {
  testing_support::ProgramStop missing = testing_support::StopOf([] { LoadFont("Fonts\\none.fnt", 0); });
  EXPECT_EQ(missing.kind, testing_support::StopKind::kRuntimeError);
  EXPECT_EQ(missing.code, platform::kFileNotFound);
  std::vector<uint8_t> file = FontBuilder().File();
  file.resize(file.size() - 1);
  folder_.Write("short.fnt", file);
  testing_support::ProgramStop cut = testing_support::StopOf([] { LoadFont("short.fnt", 0); });
  EXPECT_EQ(cut.kind, testing_support::StopKind::kRuntimeError);
  EXPECT_EQ(cut.code, platform::kDiskReadError);
  EXPECT_EQ(FontCount, 0);
}

// Guards measuring and centring: spacing between characters only, the empty
// text measuring minus the spacing, odd widths rounding toward x.
TEST_F(TextTest, WidthAndCentring) {
  FontBuilder builder;
  builder.Width('a', 7);
  builder.Width('b', 4);
  for (int row = 0; row < 3; ++row) builder.Row('a', row, {1});
  Load(builder);
  EXPECT_EQ(TextWidth("ab"), 7 + 1 + 4);
  EXPECT_EQ(TextWidth(""), -1);
  LetterSpacing = 3;
  EXPECT_EQ(TextWidth("ab"), 7 + 3 + 4);
  LetterSpacing = 1;

  std::vector<uint16_t> pixels = Target();
  SetTextTarget(pixels.data(), 40, 8, 2, 80);
  DrawStringCentred(20, 0, "a");  // width 7: starts at 20 - 3
  EXPECT_EQ(pixels[17], 0x1111);
  EXPECT_EQ(pixels[16], 0);
  DrawStringCentred(0, 4, "");  // the empty text must not draw or fail
}

// Guards horizontal clipping at both edges: a glyph starting left of the clip
// shows from its first visible column, one starting right of it is skipped,
// one starting exactly at the right edge draws one column.
TEST_F(TextTest, GlyphClippingAtBothEdges) {
  FontBuilder builder;
  builder.Width('x', 6);
  builder.Row('x', 0, {1, 2, 3, 1, 2, 3});
  Load(builder);
  std::vector<uint16_t> pixels = Target();
  SetTextTarget(pixels.data(), 40, 8, 2, 80);
  TextClip.left = 10;
  TextClip.right = 20;

  DrawGlyph(7, 0, 'x');  // columns 7..9 clipped away
  std::vector<uint16_t> row(pixels.begin(), pixels.begin() + 24);
  std::vector<uint16_t> expected(24, 0);
  expected[10] = 0x1111;
  expected[11] = 0x2222;
  expected[12] = 0x3333;
  EXPECT_EQ(row, expected);

  pixels.assign(pixels.size(), 0);
  DrawGlyph(4, 0, 'x');  // 4 + 6 <= 10: nothing
  DrawGlyph(21, 0, 'x');
  EXPECT_EQ(std::count(pixels.begin(), pixels.end(), 0), static_cast<long>(pixels.size()));

  DrawGlyph(20, 0, 'x');
  EXPECT_EQ(pixels[20], 0x1111);
  EXPECT_EQ(pixels[21], 0);

  pixels.assign(pixels.size(), 0);
  DrawGlyph(17, 0, 'x');  // right edge: columns 17..20
  EXPECT_EQ(pixels[20], 0x1111);
  EXPECT_EQ(pixels[21], 0);
}

// Guards the one-word-per-row limit: a glyph wider than 16 pixels shows only
// its first 16, and rows outside the target are never written.
TEST_F(TextTest, SixteenPixelRowsAndTargetBounds) {
  FontBuilder builder;
  builder.Width('w', 24);
  for (int row = 0; row < 3; ++row) builder.Row('w', row, std::vector<int>(16, 3));
  Load(builder);
  std::vector<uint16_t> pixels(40 * 8 + 40, 0x7777);
  std::fill(pixels.begin(), pixels.begin() + 40 * 8, 0);
  SetTextTarget(pixels.data(), 40, 8, 2, 80);
  DrawGlyph(2, 6, 'w');  // rows 6, 7 inside; row 8 below the target
  for (int x = 0; x < 40; ++x) EXPECT_EQ(pixels[6 * 40 + x], x >= 2 && x < 18 ? 0x3333 : 0) << x;
  for (size_t i = 40 * 8; i < pixels.size(); ++i) ASSERT_EQ(pixels[i], 0x7777) << "written below the target";
  DrawGlyph(30, -2, 'w');  // rows above the target are skipped
  EXPECT_EQ(pixels[30], 0x3333);
}

// Guards the three target pixel sizes and the colour each glyph value takes;
// changing colour 2 changes only the pixels of value 2.
TEST_F(TextTest, TargetsAndColours) {
  FontBuilder builder;
  builder.Width('c', 4);
  builder.Row('c', 0, {1, 2, 3, 0});
  Load(builder);
  TextColour1 = 0xAABBCC01;
  TextColour2 = 0xAABBCC02;
  TextColour3 = 0xAABBCC03;

  std::vector<uint8_t> bytes(16 * 3, 0x55);
  SetTextTarget(bytes.data(), 16, 3, 1, 16);
  DrawGlyph(0, 0, 'c');
  EXPECT_EQ((std::vector<uint8_t>(bytes.begin(), bytes.begin() + 5)),
            (std::vector<uint8_t>{0x01, 0x02, 0x03, 0x55, 0x55}));

  std::vector<uint16_t> words(16 * 3, 0);
  SetTextTarget(words.data(), 16, 3, 2, 32);
  DrawString(0, 0, "c");
  EXPECT_EQ((std::vector<uint16_t>(words.begin(), words.begin() + 4)),
            (std::vector<uint16_t>{0xCC01, 0xCC02, 0xCC03, 0}));
  TextColour2 = 0x9999;
  DrawString(0, 0, "c");
  EXPECT_EQ((std::vector<uint16_t>(words.begin(), words.begin() + 4)),
            (std::vector<uint16_t>{0xCC01, 0x9999, 0xCC03, 0}));

  std::vector<uint32_t> longs(16 * 3, 0);
  SetTextTarget(longs.data(), 16, 3, 4, 64);
  DrawString(1, 1, "cc");
  EXPECT_EQ(longs[16 + 1], 0xAABBCC01u);
  EXPECT_EQ(longs[16 + 2], 0x9999u);
  EXPECT_EQ(longs[16 + 1 + 5], 0xAABBCC01u);  // advance: width 4 + spacing 1
}

}  // namespace
