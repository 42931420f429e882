// Text in the platform's own fonts, as a device context would draw it: a
// face name resolved by fontconfig ("Arial" finds a metric-compatible free
// face), rendered by SDL_ttf, blended into a 16-bit surface.
#pragma once

#include <string>
#include <string_view>

#include "platform/ddraw.h"

namespace platform {

struct TrueTypeStyle {
  std::string faceName;
  int height = 0;        // > 0: cell height in pixels; < 0: character height; 0: default
  int weight = 400;      // 100..900, 400 normal, 700 bold
  COLORREF colour = 0;
  COLORREF background = 0;
  bool opaque = false;   // fill the text's cells with the background first
};

// Draws the text (bytes in the Windows Western code page; line ends start new
// lines) left-aligned or centred in the layout rectangle, clipped to it and
// to the surface. DDERR_GENERIC when no font can be found or rendered.
DDResult DrawTrueTypeText(Surface& surface, std::string_view text, const Rect& layout, bool centred,
                          const TrueTypeStyle& style);

// The font file fontconfig chooses for a face name and weight ("" if none).
std::string ResolveFontFile(const std::string& faceName, int weight);

}  // namespace platform
