// Pixel conversion, shading and full-frame copies: the per-pixel work of
// picture loading, window shading and every frame.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <vector>

#include "graphics/display.h"
#include "graphics/pixelops.h"

namespace {

constexpr int kPixels = 800 * 600;

void SelectFormat(const benchmark::State& state) {
  if (state.range(0) == 565) {
    SelectPixelFormat({0xF800, 0x07E0, 0x001F});
  } else {
    SelectPixelFormat({0x7C00, 0x03E0, 0x001F});
  }
}

// Converting a 24-bit 800 x 600 picture, as picture loading does.
void BM_PackColourFullFrame(benchmark::State& state) {
  SelectFormat(state);
  std::vector<uint8_t> rgb(kPixels * 3);
  for (size_t i = 0; i < rgb.size(); ++i) rgb[i] = static_cast<uint8_t>(i * 37 + (i >> 7));
  std::vector<Pixel> out(kPixels);
  for (auto _ : state) {
    const uint8_t* p = rgb.data();
    for (int i = 0; i < kPixels; ++i, p += 3) out[i] = PackColour(p[2], p[1], p[0]);
    benchmark::DoNotOptimize(out.data());
  }
  state.SetItemsProcessed(state.iterations() * kPixels);
}
BENCHMARK(BM_PackColourFullFrame)->Arg(565)->Arg(555);

// Darkening a whole frame, as the windowed screens shade what lies beneath.
void BM_DarkenFullFrame(benchmark::State& state) {
  SelectFormat(state);
  std::vector<Pixel> frame(kPixels);
  for (int i = 0; i < kPixels; ++i) frame[i] = static_cast<Pixel>(i * 2654435761u >> 16);
  for (auto _ : state) {
    for (int i = 0; i < kPixels; ++i) frame[i] = Darken(frame[i], 40);
    benchmark::DoNotOptimize(frame.data());
  }
  state.SetItemsProcessed(state.iterations() * kPixels);
}
BENCHMARK(BM_DarkenFullFrame)->Arg(565)->Arg(555);

// The background buffer copied to the back buffer at the start of every Draw.
void BM_FullFrameCopy(benchmark::State& state) {
  Surface target(800, 600, platform::SurfaceMemory::kSystem);
  Surface source(800, 600, platform::SurfaceMemory::kSystem);
  uint32_t flags = state.range(0) ? platform::DDBLTFAST_SRCCOLORKEY : 0;
  source.SetColorKey(0, 0);
  source.Blt(nullptr, nullptr, nullptr, platform::DDBLT_COLORFILL, 0x1234);
  for (auto _ : state) {
    target.BltFast(0, 0, source, nullptr, flags);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * kPixels * 2);
}
BENCHMARK(BM_FullFrameCopy)->Arg(0)->Arg(1);

}  // namespace

BENCHMARK_MAIN();
