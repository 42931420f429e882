// A framed screen's "size.inf" read and used the way a windowed mode does:
// two numbers, the rest of the line skipped, then the window placed on the
// screen, its shadow drawn and its picture copied into the backdrop.
// Malformed text ends in the run-time error; any numbers give sides within
// the window's limits and never lead a drawing outside the surfaces.
#include <cstddef>
#include <cstdint>

#include "file_harness.h"
#include "graphics/display.h"
#include "screens/windowed_mode.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzzing::EnterScratchFolder("fuzz-size", {"Options"});
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzzing::WriteInput("Options\\size.inf", data, size);
  WindowSize window;
  try {
    window = ReadWindowSize("Options\\size.inf");
  } catch (const fuzzing::RuntimeFailure&) {
    return 0;
  }
  fuzzing::Require(window.width >= 0 && window.width <= kLargestWindowSide);
  fuzzing::Require(window.height >= 0 && window.height <= kLargestWindowSide);
  static Surface backdrop(kScreenWidth, kScreenHeight, platform::SurfaceMemory::kSystem);
  static Surface picture(300, 200, platform::SurfaceMemory::kSystem);
  const WindowPlace place = PlaceWindow(window);
  fuzzing::Require(place.y >= 0);
  DrawDropShadow(backdrop, place.x, place.y, window.width, window.height);
  CopySurfaceRect(backdrop, place.x, place.y, picture, platform::Rect{0, 0, window.width, window.height}, kCopyWait);
  return 0;
}
