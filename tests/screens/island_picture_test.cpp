#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>

#include "game/island_fixtures.h"
#include "game/view.h"
#include "screens/island_picture.h"
#include "support/test_display.h"

namespace {

constexpr uint16_t kFogTag = 0x1000, kNormalTag = 0x2000, kCursedTag = 0x3000;

// A texture whose every pixel tells its tag, column and row apart.
SurfaceRef Texture(uint16_t tag) {
  SurfaceRef texture = CreateOffscreen(512, 512);
  uint16_t* pixels = nullptr;
  int pitch = 0;
  texture->Lock(pixels, pitch);
  for (int y = 0; y < 512; ++y) {
    for (int x = 0; x < 512; ++x) pixels[y * pitch / 2 + x] = static_cast<uint16_t>(tag | ((x + 7 * y) & 0x0FFF));
  }
  texture->Unlock();
  return texture;
}

// A 24 x 24 picture with one drawn pixel at its top-left corner.
SurfaceRef Marker(uint16_t pixel) {
  SurfaceRef picture = CreateOffscreen(24, 24);
  FillRect(*picture, platform::Rect{0, 0, 24, 24}, 0);
  FillRect(*picture, platform::Rect{0, 0, 1, 1}, pixel);
  picture->SetColorKey(0, 0);
  return picture;
}

class IslandPicture : public testing::Test {
 protected:
  void SetUp() override {
    testing_support::OpenTestDisplay();
    art.fog = Texture(kFogTag);
    art.normal = Texture(kNormalTag);
    art.cursed = Texture(kCursedTag);
    art.sign = Marker(0x7777);
    for (int digit = 0; digit <= 8; ++digit) art.digits[digit] = Marker(static_cast<uint16_t>(0x4440 + digit));
    art.borderColour = PackColour(0, 0, 64);
    art.hatchColour = PackColour(184, 208, 104);
    background = CreateOffscreen(800, 600);
    FillRect(*background, platform::Rect{0, 0, 800, 600}, backgroundPixel);
    work = CreateOffscreen(800, 600);
  }

  // The 8 x 8 map with radiated areas round cell 28 (and none in the
  // corner), rendered.
  void RenderSquareMap(const std::vector<int>& radiated) {
    MakeSquareIsland(Island, radiated, 36);
    BuildBorderMask();
    BuildView(Island);
    CentreView();
    RenderIslandPicture(*work, *background, art);
  }

  uint16_t ScreenPixel(int r, int c) const { return work->PixelAt(OffsetX + c, OffsetY + r - 1); }
  static int CellXOf(int cell) { return OffsetX + 2 * Island.Cell(cell).colCentre; }
  static int CellYOf(int cell) { return OffsetY + 2 * Island.Cell(cell).rowCentre - 1; }
  static uint16_t TexturePixel(const SurfaceRef& texture, int r, int c) { return texture->PixelAt(c, r - 1); }

  IslandArt art;
  SurfaceRef background;
  SurfaceRef work;
  uint16_t backgroundPixel = PackColour(200, 120, 80);
};

}  // namespace

// Guards against a wrong texture, colour or darkening for a display code, a
// texture read at the screen position instead of the view position, and
// writes past the screen when the picture lies partly off it.
TEST_F(IslandPicture, EachDisplayCodePaintsItsPixelWhereverThePictureLies) {
  std::memset(ViewStateGrid, 0, sizeof ViewStateGrid);
  std::memset(ViewCellGrid, 1, sizeof ViewCellGrid);
  const uint8_t codes[] = {2, 4, 5, 16, 17, 18, 19, 20, 2 | 32, 0, 7};
  for (int i = 0; i < 11; ++i) ViewStateGrid[9][99 + i] = codes[i];  // view row 10, columns 100..110
  ViewStateGrid[509][509] = 4;
  for (int offset : {0, 1}) {
    OffsetX = offset == 0 ? 145 : -60;
    OffsetY = offset == 0 ? 30 : 200;
    RenderIslandPicture(*work, *background, art);
    SCOPED_TRACE(OffsetX);
    const uint16_t expected[] = {TexturePixel(art.fog, 10, 100),   TexturePixel(art.normal, 10, 101),
                                 TexturePixel(art.cursed, 10, 102), art.borderColour,
                                 Darken(backgroundPixel, 40),      Darken(backgroundPixel, 40),
                                 Darken(backgroundPixel, 24),      Darken(backgroundPixel, 24),
                                 TexturePixel(art.fog, 10, 108),   backgroundPixel,
                                 backgroundPixel};
    for (int i = 0; i < 11; ++i) EXPECT_EQ(ScreenPixel(10, 100 + i), expected[i]) << "code " << int(codes[i]);
  }
  // The far corner landed below the screen and was left out.
  EXPECT_EQ(work->PixelAt(799, 599), backgroundPixel);
}

// Guards against the mouse reaching view pixels on the picture's edge rows
// and columns or beyond them (the bounds are strict on both sides).
TEST_F(IslandPicture, MappingAcceptsOnlyPointsStrictlyInsideThePicture) {
  OffsetX = 145;
  OffsetY = 30;
  ViewPixel pixel;
  ASSERT_TRUE(ViewPixelAtScreen(146, 31, pixel));
  EXPECT_EQ(pixel.row, 2);
  EXPECT_EQ(pixel.column, 2);
  ASSERT_TRUE(ViewPixelAtScreen(654, 539, pixel));
  EXPECT_EQ(pixel.row, 510);
  EXPECT_EQ(pixel.column, 510);
  for (auto [x, y] : {std::pair{145, 100}, {655, 100}, {300, 30}, {300, 540}, {-5, -5}}) {
    EXPECT_FALSE(ViewPixelAtScreen(x, y, pixel)) << x << "," << y;
  }
}

// Guards against a mark tint that stays after the mark goes, a repaint that
// spills into the neighbour or over border lines, and digits drawn at the
// wrong place or missing for 7 and 8 radiated neighbours.
TEST_F(IslandPicture, RepaintTintsMarksAndPlacesTheDigit) {
  RenderSquareMap({19, 20, 21, 27, 29, 35, 36, 37});  // all eight round cell 28
  TIslandCell& marked = Island.Cell(10);
  int r = 2 * marked.rowCentre, c = 2 * marked.colCentre;
  uint16_t fog = TexturePixel(art.fog, r, c);
  ASSERT_EQ(ScreenPixel(r, c), fog);
  marked.isMarked = 1;
  RepaintIslandCell(*work, art, Island, 10);
  EXPECT_EQ(ScreenPixel(r, c), AdjustChannels(fog, 80, -16, -16));
  uint16_t neighbour = ScreenPixel(r, c + 48);
  marked.isMarked = 0;
  RepaintIslandCell(*work, art, Island, 10);
  EXPECT_EQ(ScreenPixel(r, c), fog);
  EXPECT_EQ(ScreenPixel(r, c + 48), neighbour);

  for (int cell : {28, 1}) {
    TIslandCell& opened = Island.Cell(cell);
    opened.isExplored = 1;
    opened.state = kStateExplored;
    RefreshView(Island);
    RepaintIslandCell(*work, art, Island, cell);
    int x = OffsetX + 2 * opened.colCentre - 12, y = OffsetY + 2 * opened.rowCentre - 12;
    EXPECT_EQ(work->PixelAt(x, y), 0x4440 + opened.radiatedNeighbours) << "cell " << cell;
    EXPECT_EQ(work->PixelAt(x + 1, y + 1), TexturePixel(art.normal, y - OffsetY + 2, x + 1 - OffsetX));
  }
  EXPECT_EQ(Island.Cell(28).radiatedNeighbours, 8);
  // A border line between two cells keeps its colour through repaints.
  int borderRow = 2 * Island.Cell(28).rowMax;
  while (borderRow < 510 && ViewStateGrid[borderRow - 1][2 * Island.Cell(28).colCentre - 1] != kCodeBorderLine) {
    ++borderRow;
  }
  EXPECT_EQ(ScreenPixel(borderRow, 2 * Island.Cell(28).colCentre), art.borderColour);
}

// Guards against a hatch of the wrong period or direction, one painted over
// border lines or other cells, and a neighbour highlight that darkens the
// wrong cells.
TEST_F(IslandPicture, HatchCrossesTheHoveredCellEveryFifthDiagonal) {
  RenderSquareMap({1});
  Island.hoverCode = 28;
  SurfaceRef frame = CreateOffscreen(800, 600);
  FillRect(*frame, platform::Rect{0, 0, 800, 600}, 0);
  DrawHoverHatch(*frame, art, Island);
  const TIslandCell& cell = Island.Cell(28);
  for (int r : {2 * cell.rowCentre, 2 * cell.rowCentre + 1}) {
    // Along a row inside the cell the hatch meets the two diagonals: the
    // columns c with r + c or r - c divisible by 5, and none past the cell.
    std::set<int> phases;
    int count = 0, last = 0;
    for (int c = 2 * cell.colMin - 1; c <= 2 * cell.colMax + 8; ++c) {
      if (frame->PixelAt(OffsetX + c, OffsetY + r - 1) != art.hatchColour) continue;
      phases.insert(c % 5);
      ++count;
      last = c;
    }
    EXPECT_EQ(phases, (std::set<int>{(5 - r % 5) % 5, r % 5}));
    EXPECT_GE(count, r % 5 == 0 ? 8 : 16);
    EXPECT_LE(last, 2 * cell.colMax);
  }

  std::vector<int> darkened = NeighbourHighlight(Island, 10);
  EXPECT_EQ(darkened.size(), 9u);  // the cell and its eight unexplored neighbours
  Island.Cell(2).isExplored = 1;
  Island.Cell(1).isExplored = 1;  // radiated, shown open: still darkened
  darkened = NeighbourHighlight(Island, 10);
  EXPECT_EQ(std::count(darkened.begin(), darkened.end(), 2), 0);
  EXPECT_EQ(std::count(darkened.begin(), darkened.end(), 1), 1);
  FillRect(*frame, platform::Rect{0, 0, 800, 600}, backgroundPixel);
  DarkenCells(*frame, {10});
  EXPECT_EQ(frame->PixelAt(CellXOf(10), CellYOf(10)), Darken(backgroundPixel, 40));
  EXPECT_EQ(frame->PixelAt(CellXOf(11), CellYOf(11)), backgroundPixel);
}
