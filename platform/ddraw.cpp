#include "platform/ddraw.h"

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <thread>

namespace platform {

SDL_Window* SdlWindowOf(WindowHandle window);

namespace {

struct DisplayState {
  bool created = false;
  WindowHandle window = nullptr;
  SDL_Renderer* renderer = nullptr;
  SDL_Texture* texture = nullptr;
  bool format555 = false;
  std::weak_ptr<Surface> primary;
  std::vector<std::weak_ptr<Surface>> videoSurfaces;
  DDResult injectedFlipResult = DD_OK;
  int injectedFlipCount = 0;
  bool injectPixelFormatFailure = false;
  int injectedRestoreFailures = 0;
  uint64_t presentCount = 0;
};

DisplayState g_display;

bool Wants555() {
  const char* format = std::getenv("TERVANE_PIXEL_FORMAT");
  return format != nullptr && std::strcmp(format, "555") == 0;
}

int PitchFor(int width) {
  // Rows are padded the way display drivers pad them, so that code that
  // confuses width and pitch shows it.
  return ((width * 2 + 31) & ~31) + 32;
}

// Clips a copy of a w x h rectangle from (sx, sy) to (dx, dy) against both
// surfaces. False when nothing is left.
bool ClipCopy(int& dx, int& dy, int& sx, int& sy, int& w, int& h, const Surface& dest, const Surface& src) {
  if (sx < 0) { dx -= sx; w += sx; sx = 0; }
  if (sy < 0) { dy -= sy; h += sy; sy = 0; }
  if (dx < 0) { sx -= dx; w += dx; dx = 0; }
  if (dy < 0) { sy -= dy; h += dy; dy = 0; }
  w = std::min({w, src.Width() - sx, dest.Width() - dx});
  h = std::min({h, src.Height() - sy, dest.Height() - dy});
  return w > 0 && h > 0;
}

void ForgetExpiredSurfaces() {
  auto& list = g_display.videoSurfaces;
  list.erase(std::remove_if(list.begin(), list.end(), [](const auto& s) { return s.expired(); }), list.end());
}

bool CreateRendererAndTexture() {
  SDL_Window* window = SdlWindowOf(g_display.window);
  if (window == nullptr) return false;
  g_display.renderer = SDL_CreateRenderer(window, -1, 0);
  if (g_display.renderer == nullptr) g_display.renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
  if (g_display.renderer == nullptr) return false;
  SDL_RenderSetLogicalSize(g_display.renderer, 800, 600);
  Uint32 format = g_display.format555 ? SDL_PIXELFORMAT_RGB555 : SDL_PIXELFORMAT_RGB565;
  g_display.texture = SDL_CreateTexture(g_display.renderer, format, SDL_TEXTUREACCESS_STREAMING, 800, 600);
  return g_display.texture != nullptr;
}

}  // namespace

std::string DirectDrawErrorText(DDResult result) {
  switch (result) {
    case DD_OK: return "The request completed successfully.";
    case DDERR_GENERIC: return "Generic failure.";
    case DDERR_SURFACELOST: return "Access to this surface is being refused because the surface memory is gone.";
    case DDERR_WASSTILLDRAWING: return "The previous blit operation is still in progress.";
    case DDERR_INVALIDPARAMS: return "One or more of the parameters passed to the method are incorrect.";
    case DDERR_INVALIDRECT: return "The rectangle provided was invalid.";
    case DDERR_INVALIDOBJECT: return "An invalid object was passed.";
    case DDERR_NOTLOCKED: return "The surface was not locked.";
    case DDERR_SURFACEBUSY: return "Access to the surface is refused because the surface is locked.";
    case DDERR_OUTOFMEMORY: return "There is not enough memory to perform the operation.";
    case DDERR_NODIRECTDRAWHW: return "No display device is available.";
    case DDERR_UNSUPPORTEDMODE: return "The display is currently in an unsupported mode.";
    case DDERR_NOEXCLUSIVEMODE: return "The operation requires exclusive mode.";
    case DDERR_NOTFOUND: return "The requested item was not found.";
    case DDERR_NODC: return "No device context exists for this surface.";
  }
  return "Unknown error " + std::to_string(static_cast<int>(result)) + ".";
}

Surface::Surface(int width, int height, SurfaceMemory memory)
    : width_(std::max(width, 1)),
      height_(std::max(height, 1)),
      pitch_(PitchFor(std::max(width, 1))),
      memory_(memory),
      pixels_(static_cast<size_t>(pitch_ / 2) * std::max(height, 1), 0) {}

DDResult Surface::BltFast(int x, int y, Surface& source, const Rect* sourceRect, uint32_t flags) {
  if (lost_ || source.lost_) return DDERR_SURFACELOST;
  if (locked_ || source.locked_) return DDERR_SURFACEBUSY;
  Rect rect = sourceRect != nullptr ? *sourceRect : Rect{0, 0, source.width_, source.height_};
  int sx = rect.left, sy = rect.top, w = rect.right - rect.left, h = rect.bottom - rect.top;
  if (!ClipCopy(x, y, sx, sy, w, h, *this, source)) return DD_OK;
  bool keyed = (flags & DDBLTFAST_SRCCOLORKEY) != 0 && source.hasColorKey_;
  bool backwards = &source == this && y > sy;
  for (int i = 0; i < h; ++i) {
    int row = backwards ? h - 1 - i : i;
    uint16_t* to = Row(y + row) + x;
    const uint16_t* from = source.Row(sy + row) + sx;
    if (!keyed) {
      std::memmove(to, from, static_cast<size_t>(w) * 2);
      continue;
    }
    for (int c = 0; c < w; ++c) {
      if (from[c] != source.colorKey_) to[c] = from[c];
    }
  }
  return DD_OK;
}

DDResult Surface::Blt(const Rect* destRect, Surface* source, const Rect* sourceRect, uint32_t flags,
                      uint16_t fillValue) {
  if (lost_ || (source != nullptr && source->lost_)) return DDERR_SURFACELOST;
  if (locked_ || (source != nullptr && source->locked_)) return DDERR_SURFACEBUSY;
  Rect dest = destRect != nullptr ? *destRect : Rect{0, 0, width_, height_};
  if (flags & DDBLT_COLORFILL) {
    int left = std::max(dest.left, 0), top = std::max(dest.top, 0);
    int right = std::min(dest.right, width_), bottom = std::min(dest.bottom, height_);
    for (int y = top; y < bottom; ++y) std::fill(Row(y) + left, Row(y) + std::max(left, right), fillValue);
    return DD_OK;
  }
  if (source == nullptr) return DDERR_INVALIDPARAMS;
  Rect from = sourceRect != nullptr ? *sourceRect : Rect{0, 0, source->width_, source->height_};
  if (from.right - from.left != dest.right - dest.left || from.bottom - from.top != dest.bottom - dest.top) {
    return DDERR_INVALIDRECT;  // only equal-sized copies are used
  }
  return BltFast(dest.left, dest.top, *source, &from,
                 (flags & DDBLT_KEYSRC) ? DDBLTFAST_SRCCOLORKEY : DDBLTFAST_NOCOLORKEY);
}

DDResult Surface::Lock(uint16_t*& pixels, int& pitchBytes) {
  if (lost_) return DDERR_SURFACELOST;
  if (locked_) return DDERR_SURFACEBUSY;
  locked_ = true;
  pixels = pixels_.data();
  pitchBytes = pitch_;
  return DD_OK;
}

DDResult Surface::Unlock() {
  if (!locked_) return DDERR_NOTLOCKED;
  locked_ = false;
  return DD_OK;
}

void Surface::SetColorKey(uint16_t low, uint16_t high) {
  (void)high;  // the game always keys one value: low = high
  hasColorKey_ = true;
  colorKey_ = low;
}

DDResult Surface::Restore() {
  if (!lost_) return DD_OK;
  if (g_display.injectedRestoreFailures > 0) {
    --g_display.injectedRestoreFailures;
    return DDERR_GENERIC;
  }
  if (memory_ == SurfaceMemory::kPrimary && g_display.renderer != nullptr) {
    // After a device reset the streaming texture must be made again.
    if (g_display.texture != nullptr) SDL_DestroyTexture(g_display.texture);
    Uint32 format = g_display.format555 ? SDL_PIXELFORMAT_RGB555 : SDL_PIXELFORMAT_RGB565;
    g_display.texture = SDL_CreateTexture(g_display.renderer, format, SDL_TEXTUREACCESS_STREAMING, 800, 600);
    if (g_display.texture == nullptr) return DDERR_GENERIC;
  }
  // Display memory comes back with undefined contents: black here, so that a
  // missing redraw shows.
  std::fill(pixels_.begin(), pixels_.end(), 0);
  lost_ = false;
  if (backBuffer_ != nullptr) backBuffer_->Restore();
  return DD_OK;
}

DDResult Surface::Flip() {
  if (memory_ != SurfaceMemory::kPrimary || backBuffer_ == nullptr) return DDERR_INVALIDOBJECT;
  if (g_display.injectedFlipCount > 0) {
    --g_display.injectedFlipCount;
    if (g_display.injectedFlipResult == DDERR_SURFACELOST) MarkDisplaySurfacesLost();
    if (g_display.injectedFlipResult != DD_OK) return g_display.injectedFlipResult;
  }
  if (lost_ || backBuffer_->lost_) return DDERR_SURFACELOST;
  if (locked_ || backBuffer_->locked_) return DDERR_SURFACEBUSY;
  pixels_.swap(backBuffer_->pixels_);
  return DD_OK;
}

void Surface::Present() {
  if (memory_ != SurfaceMemory::kPrimary || lost_) return;
  ++g_display.presentCount;
  if (g_display.renderer == nullptr || g_display.texture == nullptr) return;
  SDL_UpdateTexture(g_display.texture, nullptr, pixels_.data(), pitch_);
  SDL_SetRenderDrawColor(g_display.renderer, 0, 0, 0, 255);
  SDL_RenderClear(g_display.renderer);
  SDL_RenderCopy(g_display.renderer, g_display.texture, nullptr, nullptr);
  SDL_RenderPresent(g_display.renderer);
}

DDResult DirectDrawCreate() {
  if (SDL_WasInit(SDL_INIT_VIDEO) == 0) return DDERR_NODIRECTDRAWHW;
  g_display.created = true;
  g_display.format555 = Wants555();
  return DD_OK;
}

DDResult SetCooperativeLevel(WindowHandle window, uint32_t flags) {
  if (!g_display.created) return DDERR_INVALIDOBJECT;
  if (SdlWindowOf(window) == nullptr) return DDERR_INVALIDPARAMS;
  if ((flags & DDSCL_EXCLUSIVE) == 0 || (flags & DDSCL_FULLSCREEN) == 0) return DDERR_NOEXCLUSIVEMODE;
  g_display.window = window;
  return DD_OK;
}

DDResult SetDisplayMode(int width, int height, int bitsPerPixel) {
  if (!g_display.created || g_display.window == nullptr) return DDERR_NOEXCLUSIVEMODE;
  if (width != 800 || height != 600 || bitsPerPixel != 16) return DDERR_UNSUPPORTEDMODE;
  SDL_Window* window = SdlWindowOf(g_display.window);
  SDL_SetWindowSize(window, width, height);
  if (WantsFullScreen()) SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN_DESKTOP);
  if (g_display.renderer == nullptr && !CreateRendererAndTexture()) return DDERR_UNSUPPORTEDMODE;
  return DD_OK;
}

DDResult CreatePrimarySurface(SurfaceRef& primary) {
  if (g_display.renderer == nullptr) return DDERR_NOEXCLUSIVEMODE;
  primary = std::make_shared<Surface>(800, 600, SurfaceMemory::kPrimary);
  primary->backBuffer_ = std::make_shared<Surface>(800, 600, SurfaceMemory::kBackBuffer);
  g_display.primary = primary;
  g_display.videoSurfaces.push_back(primary);
  g_display.videoSurfaces.push_back(primary->backBuffer_);
  return DD_OK;
}

DDResult GetAttachedBackBuffer(Surface& primary, SurfaceRef& backBuffer) {
  backBuffer = primary.BackBuffer();
  return backBuffer != nullptr ? DD_OK : DDERR_NOTFOUND;
}

DDResult CreateOffscreenSurface(int width, int height, SurfaceMemory memory, SurfaceRef& surface) {
  if (width <= 0 || height <= 0 || width > 16384 || height > 16384) return DDERR_INVALIDPARAMS;
  surface = std::make_shared<Surface>(width, height, memory);
  if (memory != SurfaceMemory::kSystem) {
    ForgetExpiredSurfaces();
    g_display.videoSurfaces.push_back(surface);
  }
  return DD_OK;
}

DDResult GetPixelFormat(Surface&, PixelMasks& masks) {
  if (g_display.injectPixelFormatFailure) {
    g_display.injectPixelFormatFailure = false;
    return DDERR_SURFACELOST;
  }
  masks = DisplayPixelMasks();
  return DD_OK;
}

PixelMasks DisplayPixelMasks() {
  bool use555 = g_display.created ? g_display.format555 : Wants555();
  return use555 ? PixelMasks{0x7C00, 0x03E0, 0x001F} : PixelMasks{0xF800, 0x07E0, 0x001F};
}

DDResult WaitForVerticalBlank() {
  // A 60 Hz display: the next blank starts at the next multiple of 1/60 s.
  using namespace std::chrono;
  auto now = steady_clock::now().time_since_epoch();
  auto period = duration_cast<steady_clock::duration>(duration<double>(1.0 / 60.0));
  auto next = (now / period + 1) * period;
  std::this_thread::sleep_for(next - now);
  return DD_OK;
}

void ReleaseDirectDraw() {
  if (g_display.texture != nullptr) SDL_DestroyTexture(g_display.texture);
  if (g_display.renderer != nullptr) SDL_DestroyRenderer(g_display.renderer);
  g_display.texture = nullptr;
  g_display.renderer = nullptr;
  g_display.created = false;
  g_display.window = nullptr;
  g_display.videoSurfaces.clear();
}

void MarkDisplaySurfacesLost() {
  ForgetExpiredSurfaces();
  for (auto& weak : g_display.videoSurfaces) {
    if (auto surface = weak.lock()) surface->MarkLost();
  }
}

void InjectFlipResults(DDResult result, int count) {
  g_display.injectedFlipResult = result;
  g_display.injectedFlipCount = count;
}

void InjectPixelFormatFailure() { g_display.injectPixelFormatFailure = true; }

void InjectRestoreFailures(int count) { g_display.injectedRestoreFailures = count; }

uint64_t PresentCount() { return g_display.presentCount; }

bool SaveSurfaceAsBmp(const Surface& surface, const std::string& path) {
  PixelMasks masks = DisplayPixelMasks();
  bool is555 = masks.green == 0x03E0;
  int width = surface.Width(), height = surface.Height();
  int rowBytes = (width * 3 + 3) & ~3;
  uint32_t imageSize = static_cast<uint32_t>(rowBytes) * height;
  std::vector<uint8_t> file(54 + imageSize, 0);
  auto put32 = [&](size_t at, uint32_t v) { for (int i = 0; i < 4; ++i) file[at + i] = (v >> (8 * i)) & 0xFF; };
  file[0] = 'B'; file[1] = 'M';
  put32(2, static_cast<uint32_t>(file.size()));
  put32(10, 54);
  put32(14, 40);
  put32(18, static_cast<uint32_t>(width));
  put32(22, static_cast<uint32_t>(height));
  file[26] = 1; file[28] = 24;
  put32(34, imageSize);
  for (int y = 0; y < height; ++y) {
    uint8_t* out = file.data() + 54 + static_cast<size_t>(rowBytes) * (height - 1 - y);
    for (int x = 0; x < width; ++x) {
      uint16_t p = surface.PixelAt(x, y);
      int r = is555 ? (p >> 10) & 31 : (p >> 11) & 31;
      int g = is555 ? ((p >> 5) & 31) * 2 : (p >> 5) & 63;
      int b = p & 31;
      out[x * 3 + 0] = static_cast<uint8_t>(b * 255 / 31);
      out[x * 3 + 1] = static_cast<uint8_t>(g * 255 / 63);
      out[x * 3 + 2] = static_cast<uint8_t>(r * 255 / 31);
    }
  }
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
  return static_cast<bool>(out);
}

uint16_t PixelForColour(COLORREF colour) {
  int red = colour & 0xFF, green = (colour >> 8) & 0xFF, blue = (colour >> 16) & 0xFF;
  if (DisplayPixelMasks().green == 0x03E0) {
    return static_cast<uint16_t>((red >> 3) << 10 | (green >> 3) << 5 | blue >> 3);
  }
  return static_cast<uint16_t>((red >> 3) << 11 | (green >> 2) << 5 | blue >> 3);
}

DDResult GdiLine(Surface& surface, int x1, int y1, int x2, int y2, COLORREF colour) {
  uint16_t* pixels = nullptr;
  int pitch = 0;
  DDResult result = surface.Lock(pixels, pitch);
  if (result != DD_OK) return result;
  uint16_t value = PixelForColour(colour);
  // Bresenham from the first point; the last point is not drawn.
  int dx = std::abs(x2 - x1), dy = -std::abs(y2 - y1);
  int stepX = x1 < x2 ? 1 : -1, stepY = y1 < y2 ? 1 : -1;
  int error = dx + dy;
  int x = x1, y = y1;
  while (x != x2 || y != y2) {
    if (x >= 0 && y >= 0 && x < surface.Width() && y < surface.Height()) {
      pixels[static_cast<size_t>(y) * (pitch / 2) + x] = value;
    }
    int doubled = 2 * error;
    if (doubled >= dy) { error += dy; x += stepX; }
    if (doubled <= dx) { error += dx; y += stepY; }
  }
  return surface.Unlock();
}

}  // namespace platform
