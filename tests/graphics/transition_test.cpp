#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "graphics/dissolve.h"
#include "graphics/slides.h"
#include "graphics/transition.h"
#include "graphics/transitionmaps.h"
#include "platform/clock.h"
#include "support/test_display.h"

namespace {

std::pair<int, int> Range(const uint8_t* map) {
  auto [low, high] = std::minmax_element(map, map + kMapSize);
  return {*low, *high};
}

// Guards every rule of the choice, in its order.
TEST(TransitionChoice, RulesTable) {
  struct Case {
    const char* oldName;
    const char* newName;
    int oldX, newX, effect, duration;
    bool pause;
  };
  const Case cases[] = {
      {"Main", "Init", 0, 0, 7, 500, true},      {"", "Init", 0, 0, 7, 500, true},
      {"Main", "Scores", 0, 0, 4, 700, false},   {"Options", "Scores", 0, 0, 8, 500, false},
      {"Main", "Help", 0, 0, 4, 700, false},     {"Message", "Message", 5, 5, 5, 250, false},
      {"Message", "Message", 7, 0, 6, 300, false}, {"Message", "Message", 0, 0, 1, 350, false},
      {"Main", "Message", 0, 150, 1, 350, false}, {"Message", "Main", 150, 0, 1, 350, false},
      {"Main", "Options", 0, 0, 0, 0, false},    {"Main", "SelectMap", 0, 0, 0, 0, false},
      {"Main", "NewRecord", 0, 0, 0, 0, false},  {"Main", "Finish", 0, 0, 0, 0, false},
      {"Main", "Fail", 0, 0, 0, 0, false},       {"Main", "main", 0, 0, 0, 0, false},
      {"Init", "Main", 0, 0, 9, 500, false},     {"Options", "Main", 0, 0, 1, 500, false},
      {"Main", "Main", 0, 0, 1, 500, false},     {"Help", "Main", 0, 0, 1, 500, false},
  };
  for (const Case& c : cases) {
    TransitionChoice choice = ChooseTransitionRule(c.oldName, c.newName, c.oldX, c.newX);
    EXPECT_EQ(choice.effect, c.effect) << c.oldName << " -> " << c.newName;
    EXPECT_EQ(choice.duration, c.duration) << c.oldName << " -> " << c.newName;
    EXPECT_EQ(choice.pauseFirst, c.pause) << c.oldName << " -> " << c.newName;
  }
}

// Guards each map's range: every pixel switches by the end (no value above
// 200), the noise stays below 200, the normalised maps start at 0.
TEST(TransitionMaps, ValueRanges) {
  InitTransitionMaps();
  EXPECT_EQ(Range(NoiseMap), std::make_pair(0, 199));
  std::vector<int> histogram(200, 0);
  for (uint8_t v : NoiseMap) ++histogram[v];
  for (int count : histogram) EXPECT_NEAR(count, kMapSize / 200, kMapSize / 200 / 5);
  EXPECT_EQ(Range(ClockMap), std::make_pair(1, 199));
  auto [crossLow, crossHigh] = Range(CrossMap);
  EXPECT_EQ(crossLow, 0);
  EXPECT_LE(crossHigh, 200);
  auto [sweepLow, sweepHigh] = Range(SweepNoiseMap);
  EXPECT_EQ(sweepLow, 0);
  EXPECT_LE(sweepHigh, 200);
  std::vector<uint8_t> grid(kMapSize);
  MakeGridPattern(grid.data());
  EXPECT_LE(Range(grid.data()).second, 200);
  EXPECT_EQ(grid[32 * kMapWidth + 32], 4 + 2);  // a cell's centre opens first
  std::vector<uint8_t> cross(kMapSize);
  MakeCrossPattern(cross.data());
  EXPECT_EQ(Range(cross.data()), std::make_pair(0, 150));
}

// Guards the shapes: the sweep rises up the right half and goes on down the
// left (which must be written, not left at 0); the blended sweep is
// mirrored; the noise is the same in every run.
TEST(TransitionMaps, SweepShapeAndMirror) {
  InitTransitionMaps();
  auto at = [](const uint8_t* map, int row, int column) { return map[row * kMapWidth + column]; };
  EXPECT_LT(at(ClockMap, 599, 400), at(ClockMap, 300, 799));
  EXPECT_LT(at(ClockMap, 300, 799), at(ClockMap, 0, 400));
  EXPECT_LT(at(ClockMap, 0, 400), at(ClockMap, 0, 399));
  EXPECT_LT(at(ClockMap, 0, 399), at(ClockMap, 300, 0));
  EXPECT_LT(at(ClockMap, 300, 0), at(ClockMap, 599, 399));
  for (int row : {0, 123, 599}) {
    for (int n : {0, 17, 399}) EXPECT_EQ(at(SweepNoiseMap, row, n), at(SweepNoiseMap, row, 799 - n));
  }
  EXPECT_EQ((std::vector<uint8_t>(NoiseMap, NoiseMap + 8)), (std::vector<uint8_t>{0, 6, 172, 40, 54, 134, 63, 32}));
}

// Guards the comb curve's points and its extent limit.
TEST(CombSlide, CurvePoints) {
  const std::pair<int, int> points[] = {{0, 0},   {24, 9},  {25, 10}, {49, 29}, {50, 30},
                                        {74, 58}, {75, 60}, {99, 98}, {100, 100}};
  for (auto [m, f] : points) EXPECT_EQ(CombCurve(m), f) << m;
  EXPECT_EQ(std::min(8 * CombCurve(100), 799), 799);
  EXPECT_EQ(std::min(8 * CombCurve(130), 799), 799);
}

// Guards the comb's rows: pairs slide in alternately from the left (the new
// row's right end) and from the right (its left end).
TEST(CombSlide, AlternatePairsFromBothSides) {
  std::vector<uint16_t> fresh(kMapSize);
  for (int i = 0; i < kMapSize; ++i) fresh[i] = static_cast<uint16_t>(i % kMapWidth);
  std::vector<uint16_t> screen(kMapSize, 0xFFFF);
  PixelPlane from{fresh.data(), kMapWidth};
  PixelPlane to{screen.data(), kMapWidth};
  CombPass(from, to, 9);
  for (int row : {0, 1, 4, 597}) {
    EXPECT_EQ(screen[row * kMapWidth + 0], 790) << row;
    EXPECT_EQ(screen[row * kMapWidth + 9], 799) << row;
    EXPECT_EQ(screen[row * kMapWidth + 10], 0xFFFF) << row;
  }
  for (int row : {2, 3, 599}) {
    EXPECT_EQ(screen[row * kMapWidth + 790], 0) << row;
    EXPECT_EQ(screen[row * kMapWidth + 799], 9) << row;
    EXPECT_EQ(screen[row * kMapWidth + 789], 0xFFFF) << row;
  }
}

// Guards the window drop-in's path: it starts one width above its place,
// shows first when its top passes minus its height, and ends in place.
TEST(WindowDropIn, TopEdgePath) {
  ScreenArea area{250, 150, 300, 200};
  EXPECT_EQ(DropInTop(0, area), -300);
  EXPECT_LE(DropInTop(22, area), -200);
  EXPECT_GT(DropInTop(23, area), -200);
  EXPECT_EQ(DropInTop(100, area), 150);
}

// Guards the edge band: pixels whose old and new values are equal are never
// painted with the edge colour; changing ones inside the band are, once.
TEST(EdgeDissolve, PaintsOnlyChangingPixelsInTheBand) {
  std::vector<uint16_t> before(kMapSize, 0x1000);
  std::vector<uint16_t> after(kMapSize, 0x1000);
  for (int i = 0; i < kMapSize; i += 2) after[i] = 0x2000;
  std::vector<uint16_t> screen = before;
  std::vector<uint8_t> map(kMapSize);
  for (int i = 0; i < kMapSize; ++i) map[i] = static_cast<uint8_t>(i / 3 % 200);
  std::vector<uint8_t> written(kMapSize, 0);
  PixelPlane oldPlane{before.data(), kMapWidth}, newPlane{after.data(), kMapWidth}, to{screen.data(), kMapWidth};
  EdgeDissolvePass(oldPlane, newPlane, to, map.data(), written.data(), 50, 0x07FF, 16);
  for (int i = 0; i < kMapSize; ++i) {
    int time = i / 3 % 200;
    uint16_t expected = time <= 50 ? after[i] : (time < 66 && before[i] != after[i] ? 0x07FF : before[i]);
    ASSERT_EQ(screen[i], expected) << "pixel " << i;
  }
  EdgeDissolvePass(oldPlane, newPlane, to, map.data(), written.data(), 200, 0x07FF, 16);
  EXPECT_EQ(screen, after);
}

// Moves the clock by a fixed step at every reading.
uint32_t g_ticks = 0;
uint32_t g_tickStep = 0;
uint32_t SteppingTicks() { return g_ticks += g_tickStep; }

class TransitionTest : public testing::Test {
 protected:
  void SetUp() override {
    testing_support::OpenTestDisplay();
    InitTransitionMaps();
    g_ticks = 0xFFFFFF00u;  // the counter wraps during the effect
    platform::SetTickSource(SteppingTicks);
  }
  void TearDown() override {
    platform::SetTickSource(nullptr);
    EdgeColour = -1;
    EdgeWidth = 16;
  }
  void Fill(Surface& surface, uint16_t value) {
    DrawColour = value;
    ClearSurface(surface);
    DrawColour = 0;
  }
  bool Equal(const Surface& a, const Surface& b) {
    for (int y = 0; y < 600; ++y)
      for (int x = 0; x < 800; ++x)
        if (a.PixelAt(x, y) != b.PixelAt(x, y)) return false;
    return true;
  }
};

// Guards a dissolve whose first pass is already past the end: every pixel is
// still copied once, and the map marks every pixel switched.
TEST_F(TransitionTest, DissolveEndingOnItsFirstPassCopiesEverything) {
  for (int effect : {1, 4, 8, 9}) {
    Fill(*PrimarySurface, 0x1111);
    Fill(*OldScreenBuffer, 0x1111);
    Fill(*NewScreenBuffer, static_cast<uint16_t>(0x2220 + effect));
    g_tickStep = 5000;
    PlayTransition(effect, 300);
    EXPECT_TRUE(Equal(*PrimarySurface, *NewScreenBuffer)) << effect;
    EXPECT_EQ(std::count(WorkMap, WorkMap + kMapSize, kSwitchedPixel), kMapSize) << effect;
  }
}

// Guards the timing and the presentation: a dissolve takes several passes
// over its duration, presents each, and ends on the new picture.
TEST_F(TransitionTest, DissolvePresentsEveryPass) {
  Fill(*PrimarySurface, 0x1111);
  Fill(*NewScreenBuffer, 0x3333);
  g_tickStep = 50;
  uint64_t before = platform::PresentCount();
  PlayTransition(1, 500);
  EXPECT_GE(platform::PresentCount() - before, 10u);
  EXPECT_TRUE(Equal(*PrimarySurface, *NewScreenBuffer));
}

// Guards the edge dissolve end to end, and the reset of the edge settings.
TEST_F(TransitionTest, EdgeDissolveEndsOnNewPictureAndResetsTheEdge) {
  Fill(*PrimarySurface, 0x1111);
  Fill(*OldScreenBuffer, 0x1111);
  Fill(*NewScreenBuffer, 0x4444);
  EdgeColour = 0x07FF;
  EdgeWidth = 4;
  g_tickStep = 40;
  PlayTransition(1, 600);
  EXPECT_TRUE(Equal(*PrimarySurface, *NewScreenBuffer));
  EXPECT_EQ(EdgeColour, -1);
  EXPECT_EQ(EdgeWidth, 16);
}

// Guards the moving effects' end states and the quit sequence's fade to
// black; the comb must stop once the whole width is in.
TEST_F(TransitionTest, SlidesEndOnTheNewPicture) {
  for (int effect : {7, 5, 6}) {
    Fill(*PrimarySurface, 0x1111);
    Fill(*OldScreenBuffer, 0x1111);
    Fill(*NewScreenBuffer, 0x5555);
    platform::Rect window{250, 150, 550, 350};
    FillRect(*NewScreenBuffer, window, 0x6666);
    g_tickStep = 60;
    PlayTransition(effect, 400);
    EXPECT_TRUE(Equal(*PrimarySurface, *NewScreenBuffer)) << effect;
  }
}

// Guards the quit: the screen dissolves to black before the game ends.
TEST_F(TransitionTest, QuitFadesToBlack) {
  Fill(*PrimarySurface, 0x7777);
  Fill(*NewScreenBuffer, 0x7777);
  Fill(*RealBackBuffer, 0x7777);
  g_tickStep = 100;
  EXPECT_EQ(testing_support::StopOf(QuitGame).kind, testing_support::StopKind::kFatalExit);
  for (int y = 0; y < 600; y += 7)
    for (int x = 0; x < 800; x += 7) ASSERT_EQ(PrimarySurface->PixelAt(x, y), 0) << x << "," << y;
}

}  // namespace
