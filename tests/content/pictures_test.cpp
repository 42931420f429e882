#include <cmath>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "game_directory.h"
#include "graphics/image.h"
#include "graphics/pixelops.h"
#include "platform/icon.h"

namespace content_test {
namespace {

struct Mean {
  double r = 0, g = 0, b = 0;
};

// Average colour, on the 0..255 scale, of a surface in the display format.
Mean MeanColour(const Surface& surface) {
  const bool sixBitGreen = PackColour(0, 255, 0) == 0x07E0;
  Mean mean;
  for (int y = 0; y < surface.Height(); ++y) {
    for (int x = 0; x < surface.Width(); ++x) {
      uint16_t p = surface.PixelAt(x, y);
      mean.r += ((p >> (sixBitGreen ? 11 : 10)) & 31) * 255.0 / 31;
      mean.g += sixBitGreen ? ((p >> 5) & 63) * 255.0 / 63 : ((p >> 5) & 31) * 255.0 / 31;
      mean.b += (p & 31) * 255.0 / 31;
    }
  }
  double count = static_cast<double>(surface.Width()) * surface.Height();
  return {mean.r / count, mean.g / count, mean.b / count};
}

double Distance(const Mean& a, const Mean& b) {
  return std::sqrt((a.r - b.r) * (a.r - b.r) + (a.g - b.g) * (a.g - b.g) + (a.b - b.b) * (a.b - b.b));
}

int DifferentPixels(const Surface& a, const Surface& b) {
  int count = 0;
  for (int y = 0; y < std::min(a.Height(), b.Height()); ++y) {
    for (int x = 0; x < std::min(a.Width(), b.Width()); ++x) count += a.PixelAt(x, y) != b.PixelAt(x, y);
  }
  return count;
}

int VisiblePixels(const Surface& surface) {
  int count = 0;
  for (int y = 0; y < surface.Height(); ++y) {
    for (int x = 0; x < surface.Width(); ++x) count += surface.PixelAt(x, y) != 0;
  }
  return count;
}

void ExpectSize(const SurfaceRef& picture, int width, int height, const std::string& name) {
  ASSERT_TRUE(picture) << name;
  EXPECT_EQ(picture->Width(), width) << name;
  EXPECT_EQ(picture->Height(), height) << name;
}

using PictureTest = GameDirectoryTest;

// Guards against screen backgrounds that would not cover the 800 x 600
// screen and prompts that would run off it from (260, 540).
TEST_F(PictureTest, ScreensAndSplashPromptsHaveTheirSizes) {
  for (const char* screen : {"Init", "Main", "Scores", "Help"}) {
    ExpectSize(LoadImage(std::string(screen) + "\\Image"), 800, 600, screen);
  }
  for (const char* prompt : {"Init\\loading", "Init\\press1", "Init\\press2"}) {
    SurfaceRef picture = LoadImage(prompt);
    ASSERT_TRUE(picture);
    EXPECT_LE(260 + picture->Width(), 800) << prompt;
    EXPECT_LE(540 + picture->Height(), 600) << prompt;
    EXPECT_GT(VisiblePixels(*picture), 500) << prompt;
  }
}

// Guards against a prompt blink nobody can see: the two prompt pictures
// must differ over a good part of their text.
TEST_F(PictureTest, TheTwoPromptsDifferVisibly) {
  SurfaceRef first = LoadImage("Init\\press1");
  SurfaceRef second = LoadImage("Init\\press2");
  EXPECT_GT(DifferentPixels(*first, *second), VisiblePixels(*first) / 2);
}

// Guards against textures smaller than the 510 x 510 view the island is
// drawn from, and against grounds that look alike.
TEST_F(PictureTest, CellTexturesCoverTheViewAndLookDifferent) {
  std::vector<Mean> means;
  for (const char* name : {"Main\\Fog", "Main\\Normal", "Main\\Cursed"}) {
    SurfaceRef texture = LoadImage(name);
    ASSERT_TRUE(texture);
    EXPECT_GE(texture->Width(), 510) << name;
    EXPECT_GE(texture->Height(), 510) << name;
    means.push_back(MeanColour(*texture));
  }
  EXPECT_GT(Distance(means[0], means[1]), 40.0);
  EXPECT_GT(Distance(means[0], means[2]), 40.0);
  EXPECT_GT(Distance(means[1], means[2]), 40.0);
}

// Guards against digit pictures the game cannot place on a cell (24 x 24
// around the cell's centre) or that cannot be told apart.
TEST_F(PictureTest, DigitsAndMarkAreDistinctCellPictures) {
  std::vector<SurfaceRef> digits;
  for (int digit = 0; digit <= 8; ++digit) {
    std::string name = "Main\\Digit" + std::to_string(digit);
    digits.push_back(LoadImage(name));
    ExpectSize(digits.back(), 24, 24, name);
  }
  for (int a = 1; a <= 8; ++a) {
    EXPECT_GT(VisiblePixels(*digits[a]), 40) << a;
    for (int b = a + 1; b <= 8; ++b) EXPECT_GT(DifferentPixels(*digits[a], *digits[b]), 40) << a << " " << b;
  }
  SurfaceRef sign = LoadImage("Main\\Sign");
  ExpectSize(sign, 24, 24, "Main\\Sign");
  EXPECT_GT(VisiblePixels(*sign), 60);
}

// Guards against window pictures smaller than the window the game cuts out
// of them, and button pictures of another size than their hit rectangle.
TEST_F(PictureTest, WindowAndButtonPicturesFitTheirLayouts) {
  for (const std::string& screen : WindowedScreens()) {
    auto [width, height] = ReadWindowSize(screen);
    SurfaceRef window = LoadImage(screen + "\\Image");
    ASSERT_TRUE(window);
    EXPECT_GE(window->Width(), width) << screen;
    EXPECT_GE(window->Height(), height) << screen;
  }
  for (const auto& [screen, pictures] : ScreenPictures()) {
    std::vector<tbutton> buttons = ReadScreenButtons(screen);
    for (size_t i = 0; i < buttons.size(); ++i) {
      if (buttons[i].Width == 0) continue;  // never drawn
      std::string number = std::to_string(i + 1);
      for (std::string kind : {"but", "prbut", "defbut"}) {
        std::string name = screen + "\\" + kind + number;
        if (kind != "but" && !ImageExists(name)) continue;
        ExpectSize(LoadImage(name), buttons[i].Width, buttons[i].Height, name);
      }
    }
  }
  std::vector<tbutton> types = ReadScreenButtons("SelectMap");
  ExpectSize(LoadImage("SelectMap\\mask"), types[0].Width, types[0].Height, "SelectMap\\mask");
}

// Guards against pointers whose picture leaves the 48 x 48 area the cursor
// shows, or whose point is not at the hot spot (16, 16).
TEST_F(PictureTest, PointersDrawAroundTheirHotSpot) {
  for (const char* name : {"Mouse\\cursor", "Mouse\\mouse1.bmp", "Mouse\\mouse2.bmp", "Mouse\\hand.bmp"}) {
    SurfaceRef pointer = LoadImage(name);
    ASSERT_TRUE(pointer) << name;
    int outside = 0, nearHotSpot = 0;
    for (int y = 0; y < pointer->Height(); ++y) {
      for (int x = 0; x < pointer->Width(); ++x) {
        if (pointer->PixelAt(x, y) == 0) continue;
        outside += x >= 48 || y >= 48;
        nearHotSpot += std::abs(x - 16) <= 1 && std::abs(y - 16) <= 1;
      }
    }
    EXPECT_EQ(outside, 0) << name;
    EXPECT_GT(nearHotSpot, 0) << name;
  }
}

// Guards against a window icon the platform layer cannot decode.
TEST_F(PictureTest, WindowIconIsA32By32Icon) {
  std::ifstream file("Eicon.ico", std::ios::binary);
  ASSERT_TRUE(file);
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  platform::IconImage icon;
  ASSERT_TRUE(platform::DecodeIcon(bytes.data(), bytes.size(), icon));
  EXPECT_EQ(icon.width, 32);
  EXPECT_EQ(icon.height, 32);
  int opaque = 0;
  for (uint32_t pixel : icon.argb) opaque += (pixel >> 24) != 0;
  EXPECT_GT(opaque, 32 * 32 / 2);
}

}  // namespace
}  // namespace content_test
