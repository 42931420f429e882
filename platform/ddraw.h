// A DirectDraw-like display over SDL2. Surfaces are 16-bit pixel buffers in
// memory, in the display's format (5-6-5 by default; 5-5-5 when the
// environment sets TERVANE_PIXEL_FORMAT=555). The primary surface is shown in
// the window by Present(), which the game calls whenever the visible picture
// changed (each flip, each cursor update, each pass of a transition).
//
// Surfaces created in "display memory" (the primary with its back buffer and
// video surfaces) can be lost: a renderer reset makes them report
// DDERR_SURFACELOST until Restore() succeeds. Tests can cause that too.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/window.h"

namespace platform {

enum DDResult : int32_t {
  DD_OK = 0,
  DDERR_GENERIC,
  DDERR_SURFACELOST,
  DDERR_WASSTILLDRAWING,
  DDERR_INVALIDPARAMS,
  DDERR_INVALIDRECT,
  DDERR_INVALIDOBJECT,
  DDERR_NOTLOCKED,
  DDERR_SURFACEBUSY,
  DDERR_OUTOFMEMORY,
  DDERR_NODIRECTDRAWHW,
  DDERR_UNSUPPORTEDMODE,
  DDERR_NOEXCLUSIVEMODE,
  DDERR_NOTFOUND,
  DDERR_NODC,
};
// The platform's description of an error code, for messages.
std::string DirectDrawErrorText(DDResult result);

// Rectangle with exclusive right and bottom edges.
struct Rect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;
};

// BltFast flags.
constexpr uint32_t DDBLTFAST_NOCOLORKEY = 0x0;
constexpr uint32_t DDBLTFAST_SRCCOLORKEY = 0x1;
constexpr uint32_t DDBLTFAST_WAIT = 0x10;
// Blt flags.
constexpr uint32_t DDBLT_COLORFILL = 0x400;
constexpr uint32_t DDBLT_KEYSRC = 0x8000;
constexpr uint32_t DDBLT_WAIT = 0x1000000;
// Cooperative level flags.
constexpr uint32_t DDSCL_FULLSCREEN = 0x1;
constexpr uint32_t DDSCL_EXCLUSIVE = 0x10;

enum class SurfaceMemory { kSystem, kVideo, kPrimary, kBackBuffer };

struct PixelMasks {
  uint32_t red = 0;
  uint32_t green = 0;
  uint32_t blue = 0;
};

class Surface {
 public:
  Surface(int width, int height, SurfaceMemory memory);
  Surface(const Surface&) = delete;
  Surface& operator=(const Surface&) = delete;

  int Width() const { return width_; }
  int Height() const { return height_; }
  SurfaceMemory Memory() const { return memory_; }

  // Copies the source rectangle (the whole source when null) to (x, y).
  // With DDBLTFAST_SRCCOLORKEY, source pixels equal to the source's colour
  // key are skipped. The rectangle is clipped to both surfaces.
  DDResult BltFast(int x, int y, Surface& source, const Rect* sourceRect, uint32_t flags);
  // DDBLT_COLORFILL: fills the destination rectangle (whole surface when
  // null) with fillValue. Otherwise copies an equal-sized source rectangle,
  // keyed with DDBLT_KEYSRC.
  DDResult Blt(const Rect* destRect, Surface* source, const Rect* sourceRect, uint32_t flags,
               uint16_t fillValue = 0);

  // Whole-surface lock: pixels and pitch in bytes. Must be paired with Unlock.
  DDResult Lock(uint16_t*& pixels, int& pitchBytes);
  DDResult Unlock();
  bool IsLockedNow() const { return locked_; }

  void SetColorKey(uint16_t low, uint16_t high);
  bool HasColorKey() const { return hasColorKey_; }
  uint16_t ColorKey() const { return colorKey_; }

  bool IsLost() const { return lost_; }
  DDResult Restore();

  // Primary surface only: exchange the pictures of the primary and its back
  // buffer. Returns DD_OK, DDERR_WASSTILLDRAWING or DDERR_SURFACELOST.
  DDResult Flip();
  // Primary surface only: its back buffer.
  std::shared_ptr<Surface> BackBuffer() const { return backBuffer_; }
  // Primary surface only: show the picture in the window now.
  void Present();

  // Direct pixel access without locking, for tests and snapshots.
  const uint16_t* PixelsForInspection() const { return pixels_.data(); }
  uint16_t PixelAt(int x, int y) const { return pixels_[static_cast<size_t>(y) * (pitch_ / 2) + x]; }
  int PitchBytes() const { return pitch_; }

  // Used by the display to mark display-memory surfaces lost.
  void MarkLost() { lost_ = true; }

 private:
  friend DDResult CreatePrimarySurface(std::shared_ptr<Surface>& primary);

  uint16_t* Row(int y) { return pixels_.data() + static_cast<size_t>(y) * (pitch_ / 2); }
  bool CanLose() const { return memory_ != SurfaceMemory::kSystem; }

  int width_;
  int height_;
  int pitch_;
  SurfaceMemory memory_;
  std::vector<uint16_t> pixels_;
  bool hasColorKey_ = false;
  uint16_t colorKey_ = 0;
  bool locked_ = false;
  bool lost_ = false;
  std::shared_ptr<Surface> backBuffer_;
};

using SurfaceRef = std::shared_ptr<Surface>;

// Display set-up, in the order the game calls it.
DDResult DirectDrawCreate();
DDResult SetCooperativeLevel(WindowHandle window, uint32_t flags);
DDResult SetDisplayMode(int width, int height, int bitsPerPixel);
DDResult CreatePrimarySurface(SurfaceRef& primary);  // with one attached back buffer
DDResult GetAttachedBackBuffer(Surface& primary, SurfaceRef& backBuffer);
DDResult CreateOffscreenSurface(int width, int height, SurfaceMemory memory, SurfaceRef& surface);
DDResult GetPixelFormat(Surface& surface, PixelMasks& masks);
// Returns at the start of the next vertical blank (of a 60 Hz display).
DDResult WaitForVerticalBlank();
void ReleaseDirectDraw();

// The masks of the display format in use.
PixelMasks DisplayPixelMasks();

// Handles SDL render-target and device resets: every display-memory surface
// becomes lost. Called by the event translation; tests call it directly.
void MarkDisplaySurfacesLost();

// Test hooks: make the next `count` flips return `result`; make the next
// GetPixelFormat fail.
void InjectFlipResults(DDResult result, int count);
void InjectPixelFormatFailure();
// Make the next `count` restore attempts of lost surfaces fail.
void InjectRestoreFailures(int count);
// How many times Present() has shown the primary: the main loop tells by it
// whether an idle frame drew anything (tests read it too).
uint64_t PresentCount();

// Writes the surface as a 24-bit BMP picture; false on failure.
bool SaveSurfaceAsBmp(const Surface& surface, const std::string& path);

// GDI-like drawing on a surface (through its "device context"). Colours are
// COLORREF values: red in the low byte, then green, then blue.
using COLORREF = uint32_t;
constexpr COLORREF RGB(int red, int green, int blue) {
  return static_cast<COLORREF>((red & 0xFF) | (green & 0xFF) << 8 | (blue & 0xFF) << 16);
}
// The display pixel nearest to a colour.
uint16_t PixelForColour(COLORREF colour);
// One-pixel line from (x1, y1) towards (x2, y2), the end point excluded.
DDResult GdiLine(Surface& surface, int x1, int y1, int x2, int y2, COLORREF colour);

}  // namespace platform
