#include "platform/truetype.h"

#include <SDL_ttf.h>
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <map>
#include <memory>
#include <tuple>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
// Fontconfig loses a few hundred bytes while it parses its configuration
// files; that is the library's, not ours.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
#endif

namespace platform {
namespace {

// Windows-1252 bytes 0x80..0x9F; the rest of the code page is Latin-1.
constexpr char16_t kWestern80[32] = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

std::string WesternToUtf8(std::string_view text) {
  std::string out;
  for (char c : text) {
    auto byte = static_cast<unsigned char>(c);
    char32_t code = byte >= 0x80 && byte < 0xA0 ? kWestern80[byte - 0x80] : byte;
    if (code < 0x80) {
      out += static_cast<char>(code);
    } else if (code < 0x800) {
      out += static_cast<char>(0xC0 | code >> 6);
      out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
      out += static_cast<char>(0xE0 | code >> 12);
      out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
      out += static_cast<char>(0x80 | (code & 0x3F));
    }
  }
  return out;
}

struct FontCloser {
  void operator()(TTF_Font* font) const { TTF_CloseFont(font); }
};
using FontHandle = std::unique_ptr<TTF_Font, FontCloser>;

// Opens the file at the point size whose cell height (ascent + descent)
// matches a positive height; a negative height is the character height.
FontHandle OpenSized(const std::string& file, int height) {
  int wanted = height == 0 ? 16 : std::abs(height);
  FontHandle font(TTF_OpenFont(file.c_str(), wanted));
  if (!font || height <= 0) return font;
  int cell = TTF_FontHeight(font.get());
  if (cell <= 0 || cell == wanted) return font;
  int size = std::max(1, (wanted * wanted + cell / 2) / cell);
  FontHandle sized(TTF_OpenFont(file.c_str(), size));
  return sized ? std::move(sized) : std::move(font);
}

TTF_Font* CachedFont(const std::string& faceName, int weight, int height) {
  static std::map<std::tuple<std::string, int, int>, FontHandle> cache;
  auto key = std::make_tuple(faceName, weight, height);
  auto found = cache.find(key);
  if (found != cache.end()) return found->second.get();
  if (TTF_WasInit() == 0 && TTF_Init() != 0) return nullptr;
  std::string file = ResolveFontFile(faceName, weight);
  FontHandle font = file.empty() ? nullptr : OpenSized(file, height);
  TTF_Font* result = font.get();
  if (font) cache.emplace(key, std::move(font));
  return result;
}

// Packing and unpacking of display pixels by the display's masks.
struct Channel {
  uint32_t mask;
  int shift;
  int bits;
  explicit Channel(uint32_t m) : mask(m), shift(m ? __builtin_ctz(m) : 0), bits(__builtin_popcount(m)) {}
  uint32_t Expand(uint16_t pixel) const {
    if (bits == 0) return 0;
    uint32_t value = (pixel & mask) >> shift;
    return value * 255 / ((1u << bits) - 1);
  }
  uint32_t Pack(uint32_t value) const { return bits == 0 ? 0 : (value >> (8 - bits)) << shift; }
};

struct PixelCodec {
  Channel red, green, blue;
  explicit PixelCodec(const PixelMasks& masks) : red(masks.red), green(masks.green), blue(masks.blue) {}
  uint16_t Pack(uint32_t r, uint32_t g, uint32_t b) const {
    return static_cast<uint16_t>(red.Pack(r) | green.Pack(g) | blue.Pack(b));
  }
  uint16_t Blend(uint16_t under, uint32_t r, uint32_t g, uint32_t b, uint32_t alpha) const {
    auto mix = [alpha](uint32_t over, uint32_t base) { return (over * alpha + base * (255 - alpha)) / 255; };
    return Pack(mix(r, red.Expand(under)), mix(g, green.Expand(under)), mix(b, blue.Expand(under)));
  }
};

struct ClipBox {
  int left, top, right, bottom;  // right and bottom exclusive
};

void DrawLine(Surface& surface, uint16_t* pixels, int pitch, TTF_Font* font, const std::string& line, int x, int y,
              const ClipBox& clip, const TrueTypeStyle& style, const PixelCodec& codec) {
  SDL_Color colour{static_cast<Uint8>(style.colour & 0xFF), static_cast<Uint8>(style.colour >> 8 & 0xFF),
                   static_cast<Uint8>(style.colour >> 16 & 0xFF), 255};
  SDL_Surface* rendered = TTF_RenderUTF8_Blended(font, line.c_str(), colour);
  if (rendered == nullptr) return;
  SDL_Surface* argb = SDL_ConvertSurfaceFormat(rendered, SDL_PIXELFORMAT_ARGB8888, 0);
  SDL_FreeSurface(rendered);
  if (argb == nullptr) return;
  uint16_t background = codec.Pack(style.background & 0xFF, style.background >> 8 & 0xFF,
                                   style.background >> 16 & 0xFF);
  int top = std::max({clip.top, y, 0});
  int bottom = std::min({clip.bottom, y + argb->h, surface.Height()});
  int left = std::max({clip.left, x, 0});
  int right = std::min({clip.right, x + argb->w, surface.Width()});
  for (int row = top; row < bottom; ++row) {
    const auto* source = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(argb->pixels) +
                                                           static_cast<ptrdiff_t>(row - y) * argb->pitch);
    uint16_t* destination = pixels + static_cast<ptrdiff_t>(row) * (pitch / 2);
    for (int column = left; column < right; ++column) {
      uint32_t pixel = source[column - x];
      uint32_t alpha = pixel >> 24;
      uint16_t under = style.opaque ? background : destination[column];
      destination[column] = codec.Blend(under, pixel >> 16 & 0xFF, pixel >> 8 & 0xFF, pixel & 0xFF, alpha);
    }
  }
  SDL_FreeSurface(argb);
}

}  // namespace

std::string ResolveFontFile(const std::string& faceName, int weight) {
  if (FcInit() == FcFalse) return "";
  FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(faceName.c_str()));
  if (pattern == nullptr) return "";
  FcPatternAddInteger(pattern, FC_WEIGHT, FcWeightFromOpenType(std::clamp(weight, 1, 1000)));
  FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(nullptr, pattern, &result);
  std::string file;
  FcChar8* path = nullptr;
  if (match != nullptr && FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch) {
    file = reinterpret_cast<const char*>(path);
  }
  if (match != nullptr) FcPatternDestroy(match);
  FcPatternDestroy(pattern);
  return file;
}

DDResult DrawTrueTypeText(Surface& surface, std::string_view text, const Rect& layout, bool centred,
                          const TrueTypeStyle& style) {
  TTF_Font* font = CachedFont(style.faceName, style.weight, style.height);
  if (font == nullptr) return DDERR_GENERIC;
  uint16_t* pixels = nullptr;
  int pitch = 0;
  DDResult locked = surface.Lock(pixels, pitch);
  if (locked != DD_OK) return locked;
  PixelCodec codec(DisplayPixelMasks());
  ClipBox clip{layout.left, layout.top, layout.right, layout.bottom};
  int y = layout.top;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    std::string utf8 = WesternToUtf8(line);
    int width = 0;
    if (!utf8.empty() && TTF_SizeUTF8(font, utf8.c_str(), &width, nullptr) == 0) {
      int x = centred ? layout.left + (layout.right - layout.left - width) / 2 : layout.left;
      DrawLine(surface, pixels, pitch, font, utf8, x, y, clip, style, codec);
    }
    y += TTF_FontLineSkip(font);
    start = end + 1;
  }
  surface.Unlock();
  return DD_OK;
}

}  // namespace platform
