#include "tools/common/glyph_source.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include "tools/common/output_file.h"

namespace toolkit {

struct GlyphSource::Handles {
  FT_Library library = nullptr;
  FT_Face face = nullptr;
};

GlyphSource::GlyphSource(const std::string& facePath) : handles_(new Handles) {
  if (FT_Init_FreeType(&handles_->library) != 0) {
    Fail("FreeType cannot start");
  }
  if (FT_New_Face(handles_->library, facePath.c_str(), 0, &handles_->face) != 0) {
    Fail("cannot open the face " + facePath);
  }
}

GlyphSource::~GlyphSource() {
  FT_Done_Face(handles_->face);
  FT_Done_FreeType(handles_->library);
  delete handles_;
}

void GlyphSource::SetPixelSize(int width, int height) {
  if (FT_Set_Pixel_Sizes(handles_->face, static_cast<FT_UInt>(width),
                         static_cast<FT_UInt>(height)) != 0) {
    Fail("the face refuses the size " + std::to_string(width) + "x" + std::to_string(height));
  }
}

bool GlyphSource::HasGlyph(uint32_t codepoint) const {
  return FT_Get_Char_Index(handles_->face, codepoint) != 0;
}

static void CopyBitmap(const FT_Bitmap& bitmap, GlyphCoverage& glyph) {
  glyph.width = static_cast<int>(bitmap.width);
  glyph.rows = static_cast<int>(bitmap.rows);
  glyph.alpha.assign(static_cast<size_t>(glyph.width) * glyph.rows, 0);
  for (int y = 0; y < glyph.rows; ++y) {
    const uint8_t* row = bitmap.buffer + static_cast<ptrdiff_t>(y) * bitmap.pitch;
    for (int x = 0; x < glyph.width; ++x) {
      uint8_t value;
      if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO) {
        value = (row[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
      } else {
        value = row[x];
      }
      glyph.alpha[static_cast<size_t>(y) * glyph.width + x] = value;
    }
  }
}

GlyphCoverage GlyphSource::Render(uint32_t codepoint, bool monochrome) const {
  GlyphCoverage glyph;
  FT_Int32 flags = FT_LOAD_RENDER | (monochrome ? (FT_LOAD_TARGET_MONO | FT_LOAD_MONOCHROME)
                                                 : FT_LOAD_TARGET_NORMAL);
  if (FT_Load_Char(handles_->face, codepoint, flags) != 0) {
    return glyph;
  }
  FT_GlyphSlot slot = handles_->face->glyph;
  glyph.left = slot->bitmap_left;
  glyph.top = slot->bitmap_top;
  glyph.advance = static_cast<int>((slot->advance.x + 32) >> 6);
  CopyBitmap(slot->bitmap, glyph);
  return glyph;
}

int GlyphSource::Kerning(uint32_t left, uint32_t right) const {
  FT_Face face = handles_->face;
  if (!FT_HAS_KERNING(face)) return 0;
  FT_Vector delta{};
  FT_Get_Kerning(face, FT_Get_Char_Index(face, left), FT_Get_Char_Index(face, right),
                 FT_KERNING_DEFAULT, &delta);
  return static_cast<int>(delta.x >> 6);
}

int GlyphSource::Ascender() const {
  return static_cast<int>((handles_->face->size->metrics.ascender + 63) >> 6);
}

int GlyphSource::Descender() const {
  return static_cast<int>((-handles_->face->size->metrics.descender + 63) >> 6);
}

}  // namespace toolkit
