// A framed screen's "size.inf": the window's width, then its height, two
// decimal numbers separated by blanks or line ends; the rest of the line is
// skipped. A missing file or text that is not a number raises the run-time
// input/output error, as every layout file of a screen does.
#pragma once

#include <cstdint>
#include <string_view>

// Sides outside 0..4096 (a damaged file) are brought into that range, so
// that placing the window never overflows.
constexpr int32_t kLargestWindowSide = 4096;

struct WindowSize {
  int32_t width = 0;
  int32_t height = 0;
};

WindowSize ReadWindowSize(std::string_view fileName);
