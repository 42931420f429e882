// Bitmap text: glyphs of the current font written straight into locked
// pixel memory in up to three colours, with horizontal clipping, plus
// measuring and centring. graphics/textsurface.h wraps it for a surface.
#pragma once

#include <cstdint>
#include <string_view>

struct TextClipRect {
  int32_t left = 0;
  int32_t top = 0;      // stored, not applied
  int32_t right = 799;  // inclusive
  int32_t bottom = 599; // stored, not applied
};

extern uint8_t LetterSpacing;  // extra pixels after every character; 1
extern uint32_t TextColour1;   // pixel values for glyph pixels 1, 2, 3 (low
extern uint32_t TextColour2;   // byte, low 16 bits or all 32 bits are
extern uint32_t TextColour3;   // written, by the target's pixel size)
extern TextClipRect TextClip;

// Where glyphs go: 1, 2 or 4 bytes per pixel. Glyph rows outside the
// target's height and columns outside its width are never written.
void SetTextTarget(void* pixels, int width, int height, int bytesPerPixel, int pitchBytes);

void DrawGlyph(int x, int y, uint8_t character);
void DrawString(int x, int y, std::string_view text);
// Sum of (width + LetterSpacing) minus LetterSpacing once.
int TextWidth(std::string_view text);
// DrawString at x - TextWidth div 2 (truncating toward zero).
void DrawStringCentred(int x, int y, std::string_view text);
