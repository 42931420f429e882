#include <gtest/gtest.h>

#include "platform/ddraw.h"

namespace {

using platform::Rect;
using platform::Surface;
using platform::SurfaceMemory;

// Guards against copies that run past either surface, and overlapping copies
// within one surface that smear.
TEST(SurfaceTest, CopiesClipAndHandleOverlap) {
  Surface target(10, 10, SurfaceMemory::kSystem);
  Surface source(4, 4, SurfaceMemory::kSystem);
  source.Blt(nullptr, nullptr, nullptr, platform::DDBLT_COLORFILL, 7);
  EXPECT_EQ(target.BltFast(8, -2, source, nullptr, platform::DDBLTFAST_WAIT), platform::DD_OK);
  EXPECT_EQ(target.PixelAt(8, 0), 7);
  EXPECT_EQ(target.PixelAt(9, 1), 7);
  EXPECT_EQ(target.PixelAt(9, 2), 0);
  EXPECT_EQ(target.PixelAt(7, 0), 0);

  Surface strip(10, 10, SurfaceMemory::kSystem);
  for (int y = 0; y < 10; ++y) {
    Rect row{0, y, 10, y + 1};
    strip.Blt(&row, nullptr, nullptr, platform::DDBLT_COLORFILL, static_cast<uint16_t>(y));
  }
  Rect top{0, 0, 10, 5};
  strip.BltFast(0, 2, strip, &top, 0);  // rows 0..4 down to 2..6
  for (int y = 2; y <= 6; ++y) EXPECT_EQ(strip.PixelAt(3, y), y - 2) << y;
  EXPECT_EQ(strip.PixelAt(3, 7), 7);
}

// Guards against lost display surfaces being drawn to, and system surfaces
// ever being lost.
TEST(SurfaceTest, LostSurfacesRefuseWorkUntilRestored) {
  Surface video(8, 8, SurfaceMemory::kVideo);
  Surface system(8, 8, SurfaceMemory::kSystem);
  video.MarkLost();
  EXPECT_EQ(video.BltFast(0, 0, system, nullptr, 0), platform::DDERR_SURFACELOST);
  uint16_t* pixels = nullptr;
  int pitch = 0;
  EXPECT_EQ(video.Lock(pixels, pitch), platform::DDERR_SURFACELOST);
  EXPECT_EQ(video.Restore(), platform::DD_OK);
  EXPECT_EQ(video.Lock(pixels, pitch), platform::DD_OK);
  EXPECT_GE(pitch, 16);
  EXPECT_EQ(video.Lock(pixels, pitch), platform::DDERR_SURFACEBUSY);
  EXPECT_EQ(video.Unlock(), platform::DD_OK);
  EXPECT_EQ(video.Unlock(), platform::DDERR_NOTLOCKED);
}

// Guards against equal-size copies with a key that paints the key colour.
TEST(SurfaceTest, KeyedBltSkipsTheKeyColour) {
  Surface target(4, 1, SurfaceMemory::kSystem);
  Surface source(4, 1, SurfaceMemory::kSystem);
  target.Blt(nullptr, nullptr, nullptr, platform::DDBLT_COLORFILL, 9);
  Rect right{2, 0, 4, 1};
  source.Blt(&right, nullptr, nullptr, platform::DDBLT_COLORFILL, 5);
  source.SetColorKey(0, 0);
  Rect all{0, 0, 4, 1};
  EXPECT_EQ(target.Blt(&all, &source, &all, platform::DDBLT_KEYSRC), platform::DD_OK);
  EXPECT_EQ(target.PixelAt(0, 0), 9);
  EXPECT_EQ(target.PixelAt(3, 0), 5);
  Rect smaller{0, 0, 2, 1};
  EXPECT_EQ(target.Blt(&all, &source, &smaller, 0), platform::DDERR_INVALIDRECT);
}

}  // namespace
