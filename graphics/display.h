// The display: the visible primary surface with its back buffer, the three
// screen-sized work buffers, and the few drawing operations every screen
// uses. The software cursor is in graphics/cursor.h.
#pragma once

#include <cstdint>
#include <string>

#include "platform/ddraw.h"
#include "platform/window.h"

using platform::Surface;
using platform::SurfaceRef;

constexpr int kScreenWidth = 800;
constexpr int kScreenHeight = 600;

// Global surfaces. BackBuffer is the surface modes draw into: normally the
// primary's back buffer, the new-screen buffer while a mode's first frame is
// drawn for a transition (see UseNewScreenAsBackBuffer).
extern SurfaceRef PrimarySurface;
extern SurfaceRef BackBuffer;
extern SurfaceRef RealBackBuffer;
extern SurfaceRef BackgroundBuffer;
extern SurfaceRef OldScreenBuffer;
extern SurfaceRef NewScreenBuffer;

// Global drawing state.
extern uint32_t DrawColour;       // COLORREF; the raw fill value of ClearSurface
extern uint32_t TextBackColour;   // COLORREF; 0 = transparent
extern std::string FaceName;      // platform text face, at most 15 characters
extern int32_t FontWeight;
extern uint32_t DisplayStartTime;

// Set-up, once, by the program start: fonts, the display mode, the surfaces
// and the cursor pictures. Failures before the primary surface exists show a
// message box and end the process; later ones are fatal errors.
void InitDisplay(platform::WindowHandle window);

SurfaceRef CreateOffscreen(int width, int height);
SurfaceRef CreateVideoSurface(int width, int height);

// Flags of CopySurface.
constexpr uint32_t kCopyWait = platform::DDBLTFAST_WAIT;
constexpr uint32_t kCopyKeyed = platform::DDBLTFAST_WAIT | platform::DDBLTFAST_SRCCOLORKEY;

void ClearSurface(Surface& surface);
void CopySurface(Surface& target, int x, int y, Surface& source, uint32_t flags);
// Copies a rectangle of the source (right and bottom exclusive) to (x, y).
void CopySurfaceRect(Surface& target, int x, int y, Surface& source, const platform::Rect& rect,
                     uint32_t flags);
void FillRect(Surface& surface, const platform::Rect& rect, uint16_t pixel);
// One-pixel outline in DrawColour; note the argument order height, width.
void DrawOutlineRect(Surface& surface, int x, int y, int height, int width);
// One-pixel line in DrawColour, end point excluded; note the order x1, y1, y2, x2.
void DrawLine(Surface& surface, int x1, int y1, int y2, int x2);
void FlipScreen();

// Show's drawing target: while drawing a mode's first frame the new-screen
// buffer takes the back buffer's place.
void UseNewScreenAsBackBuffer();
void UseRealBackBuffer();

// Shows the primary surface in the window (after direct changes to it).
void PresentScreen();
