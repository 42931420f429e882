// The native window behind a client's window handle, so that a window of the
// library's own (the settings dialog) can be owned by it.
#pragma once

// The client's window (the same declaration as the exported functions').
struct HWND__;
typedef HWND__* HWND;

// The X11 window id of the client's window, or 0 when there is none to own a
// dialog (no handle given, no SDL video, not on X11). The handle is never
// looked into: it is taken as the SDL window it may be, otherwise the
// process's SDL window that has the keyboard focus, or its first one.
unsigned long NativeWindowOf(HWND window);
