#include "graphics/textsurface.h"

#include "graphics/font.h"
#include "graphics/text.h"
#include "platform/truetype.h"

void DrawTextOnSurface(Surface& surface, int x, int y, bool centred, std::string_view text, int font) {
  uint16_t* pixels = nullptr;
  int pitch = 0;
  if (surface.Lock(pixels, pitch) != platform::DD_OK) return;
  SelectFont(font);
  SetTextTarget(pixels, surface.Width(), surface.Height(), 2, pitch);
  if (centred) {
    DrawStringCentred(x, y, text);
  } else {
    DrawString(x, y, text);
  }
  surface.Unlock();
}

void DrawPlatformText(Surface& surface, int x, int y, bool centred, std::string_view text, int height) {
  platform::TrueTypeStyle style;
  style.faceName = FaceName;
  style.height = height;
  style.weight = FontWeight;
  style.colour = DrawColour;
  style.background = TextBackColour;
  style.opaque = TextBackColour != 0;
  platform::Rect layout{centred ? x - 400 : x, y, centred ? x + 400 : x + 800, y + 150};
  platform::DrawTrueTypeText(surface, text, layout, centred, style);
}
