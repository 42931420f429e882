// What every exported declaration of the library needs: the export marker
// and the client's window type.
#pragma once

#define QUELT_API __attribute__((visibility("default")))

// The client's window, passed through to the sound device; the library never
// looks inside it.
struct HWND__;
typedef HWND__* HWND;
