// Speed of the graphics hot paths: pack decoding, picture conversion and one
// pass of the transitions.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <vector>

#include <jpeglib.h>

#include "graphics/bmp.h"
#include "graphics/dissolve.h"
#include "graphics/jpeg.h"
#include "graphics/packs/deltadecode.h"
#include "graphics/packs/lzwdecode.h"
#include "graphics/pixelops.h"
#include "graphics/slides.h"
#include "graphics/transitionmaps.h"
#include "tools/packer/deltaencode.h"
#include "tools/packer/lzwencode.h"

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;

// A painted-looking 800 x 600 RGB picture: smooth gradients, a few shapes and
// a little noise.
std::vector<uint8_t> Painting() {
  std::vector<uint8_t> rgb(static_cast<size_t>(kWidth) * kHeight * 3);
  std::mt19937 random(5);
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      uint8_t* p = &rgb[(static_cast<size_t>(y) * kWidth + x) * 3];
      bool disc = (x - 400) * (x - 400) + (y - 300) * (y - 300) < 150 * 150;
      p[0] = static_cast<uint8_t>(disc ? 220 : x * 255 / kWidth);
      p[1] = static_cast<uint8_t>(disc ? 180 : y * 255 / kHeight);
      p[2] = static_cast<uint8_t>((x + y) / 6 + random() % 8);
    }
  }
  return rgb;
}

std::vector<uint8_t> Bmp24(const std::vector<uint8_t>& rgb) {
  size_t stride = kWidth * 3;
  std::vector<uint8_t> file(54 + stride * kHeight, 0);
  file[0] = 'B';
  file[1] = 'M';
  uint32_t size = static_cast<uint32_t>(file.size()), offset = 54, info = 40;
  int32_t width = kWidth, height = kHeight;
  uint16_t planes = 1, bits = 24;
  std::memcpy(&file[2], &size, 4);
  std::memcpy(&file[10], &offset, 4);
  std::memcpy(&file[14], &info, 4);
  std::memcpy(&file[18], &width, 4);
  std::memcpy(&file[22], &height, 4);
  std::memcpy(&file[26], &planes, 2);
  std::memcpy(&file[28], &bits, 2);
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const uint8_t* p = &rgb[(static_cast<size_t>(kHeight - 1 - y) * kWidth + x) * 3];
      uint8_t* q = &file[54 + stride * y + x * 3];
      q[0] = p[2];
      q[1] = p[1];
      q[2] = p[0];
    }
  }
  return file;
}

std::vector<uint8_t> Jpeg(const std::vector<uint8_t>& rgb) {
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = kWidth;
  info.image_height = kHeight;
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 85, TRUE);
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = const_cast<uint8_t*>(&rgb[static_cast<size_t>(info.next_scanline) * kWidth * 3]);
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  std::vector<uint8_t> file(buffer, buffer + size);
  jpeg_destroy_compress(&info);
  std::free(buffer);
  return file;
}

void UseDisplayFormat() { SelectPixelFormat(platform::PixelMasks{0xF800, 0x07E0, 0x001F}); }

void BM_LzwDecode(benchmark::State& state) {
  std::vector<uint8_t> data = Bmp24(Painting());
  std::vector<uint8_t> stream = LzwEncode(data.data(), data.size());
  std::vector<uint8_t> out(data.size() + 4);
  LzwDictionary dictionary;
  for (auto _ : state) {
    LzwResult result = LzwDecode(stream.data(), stream.size(), out.data(), out.size(), dictionary);
    benchmark::DoNotOptimize(result);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * data.size());
  state.counters["ratio"] = static_cast<double>(stream.size()) / data.size();
}
BENCHMARK(BM_LzwDecode)->Unit(benchmark::kMillisecond);

void BM_DeltaDecode(benchmark::State& state) {
  int bits = static_cast<int>(state.range(0));
  std::vector<uint8_t> samples;
  std::mt19937 random(9);
  for (int i = 0; i < 500000; ++i) {
    auto value = static_cast<int16_t>(9000 * std::sin(i * 0.03) + static_cast<int>(random() % 600) - 300);
    samples.push_back(static_cast<uint8_t>(value));
    samples.push_back(static_cast<uint8_t>(static_cast<uint16_t>(value) >> 8));
  }
  std::vector<uint8_t> stored = DeltaEncode(samples.data(), samples.size(), bits, false);
  std::vector<uint8_t> out(samples.size() + 4);
  for (auto _ : state) {
    bool ok = DeltaDecode(stored.data(), stored.size(), out.data(), samples.size(), bits, false);
    benchmark::DoNotOptimize(ok);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * samples.size());
}
BENCHMARK(BM_DeltaDecode)->Arg(4)->Arg(6)->Arg(8)->Unit(benchmark::kMicrosecond);

void BM_JpegToDisplay(benchmark::State& state) {
  UseDisplayFormat();
  std::vector<uint8_t> file = Jpeg(Painting());
  std::vector<uint16_t> pixels(static_cast<size_t>(kWidth) * kHeight);
  for (auto _ : state) {
    platform::RgbPicture picture;
    DecodeJpeg(file.data(), file.size(), picture);
    ConvertRgbPixels(picture, pixels.data(), kWidth);
    benchmark::DoNotOptimize(pixels.data());
  }
}
BENCHMARK(BM_JpegToDisplay)->Unit(benchmark::kMillisecond);

void BM_Bmp24ToDisplay(benchmark::State& state) {
  UseDisplayFormat();
  std::vector<uint8_t> file = Bmp24(Painting());
  std::vector<uint16_t> pixels(static_cast<size_t>(kWidth) * kHeight);
  for (auto _ : state) {
    BmpLayout layout;
    ReadBmpLayout(file.data(), file.size(), layout);
    ConvertBmpPixels(file.data(), layout, pixels.data(), kWidth);
    benchmark::DoNotOptimize(pixels.data());
  }
}
BENCHMARK(BM_Bmp24ToDisplay)->Unit(benchmark::kMillisecond);

void BM_DissolvePass(benchmark::State& state) {
  InitTransitionMaps();
  std::vector<uint16_t> fresh(kMapSize, 0x1234);
  std::vector<uint16_t> screen(kMapSize, 0);
  std::vector<uint8_t> map(kMapSize);
  PixelPlane from{fresh.data(), kMapWidth};
  PixelPlane to{screen.data(), kMapWidth};
  int limit = static_cast<int>(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    std::memcpy(map.data(), NoiseMap, kMapSize);
    state.ResumeTiming();
    DissolvePass(from, to, map.data(), limit);
    benchmark::DoNotOptimize(screen.data());
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * kMapSize);
}
BENCHMARK(BM_DissolvePass)->Arg(20)->Arg(100)->Arg(200)->Unit(benchmark::kMicrosecond);

void BM_CombPass(benchmark::State& state) {
  std::vector<uint16_t> fresh(kMapSize, 0x1234);
  std::vector<uint16_t> screen(kMapSize, 0);
  PixelPlane from{fresh.data(), kMapWidth};
  PixelPlane to{screen.data(), kMapWidth};
  int extent = static_cast<int>(state.range(0));
  for (auto _ : state) {
    CombPass(from, to, extent);
    benchmark::DoNotOptimize(screen.data());
  }
}
BENCHMARK(BM_CombPass)->Arg(400)->Arg(799)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
