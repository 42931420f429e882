// The map selection and options screens.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "game/options_file.h"
#include "screen_fixture.h"
#include "screens/main_mode.h"
#include "screens/options_mode.h"
#include "screens/select_map_mode.h"
#include "shell/game_sound.h"

namespace {

using namespace screens_testing;

class ChoosingTest : public ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    LoadOptions();  // the defaults: no file in the scratch folder
    SwitchMode(&MainMode);
  }
  std::vector<uint8_t> OptionsFile() const { return FileBytes(Folder() / kOptionsFile); }
};

// Whether the marker shows over a map type's button on the screen.
bool MarkerOver(int mapType) {
  const TSelMapMode& screen = MapSelectionScreen;
  const Surface& marker = *screen.marker;
  const tbutton& button = screen.buttons[mapType];
  for (int y = 0; y < marker.Height(); ++y) {
    for (int x = 0; x < marker.Width(); ++x) {
      const Pixel pixel = marker.PixelAt(x, y);
      if (pixel != 0 && PrimarySurface->PixelAt(screen.X + button.X + x, screen.Y + button.Y + y) != pixel) {
        return false;
      }
    }
  }
  return true;
}

// Guards the marker (over the stored type when the screen opens, moving with
// the choice), the choice saved at once with the other options, and closing
// over the type in play keeping the map.
TEST_F(ChoosingTest, ChoosingTheTypeInPlayKeepsTheMapAndSavesTheChoice) {
  GameOptions.mapType = 3;
  CurrentMapType = 2;
  GameOptions.radiationFatal = 0;
  PushMode(&MapSelectionScreen);
  EXPECT_TRUE(MarkerOver(3));
  EXPECT_FALSE(MarkerOver(1));
  EXPECT_FALSE(std::filesystem::exists(Folder() / kOptionsFile));

  MapSelectionScreen.KeyDown('1');
  EXPECT_TRUE(MarkerOver(1));
  EXPECT_FALSE(MarkerOver(3));
  EXPECT_EQ(OptionsFile(), (std::vector<uint8_t>{1, 1, 0, 1}));
  MapSelectionScreen.ButtonPressed(2);
  EXPECT_EQ(OptionsFile(), (std::vector<uint8_t>{1, 1, 0, 2}));

  const auto before = std::make_unique<TIsland>(Island);
  MapSelectionScreen.KeyDown(platform::VK_ESCAPE);  // Close
  EXPECT_EQ(CurrentMode(), &MainMode);
  EXPECT_EQ(ModeStackDepth(), 1);
  EXPECT_EQ(CurrentMapType, 2);
  EXPECT_EQ(std::memcmp(before.get(), &Island, sizeof(TIsland)), 0);
}

// Records the music calls the options screen makes.
struct MusicCalls final : GameSound {
  void InitSound() override {}
  void PlaySoundEvent(int) override {}
  void StartMusic() override { calls += "start "; }
  void StopMusic() override { calls += "stop "; }
  void ShutdownSound() override {}
  std::string calls;
};

// The options screen's buttons that are shown, as a string of their numbers.
std::string VisibleButtons() {
  std::string visible;
  for (int i = 1; i <= OptionsScreen.buttonCount; ++i) {
    if (OptionsScreen.buttons[i].enabled) visible += std::to_string(i);
  }
  return visible;
}

// Guards the options screen: of each pair only the button for the value not
// in force is shown, music stops and starts at once, OK writes the four
// bytes (01 01 01 01 on a first run) and leaves the time spent out.
TEST_F(ChoosingTest, OptionsShowTheOtherValueAndOkSavesThem) {
  MusicCalls music;
  GameSoundOutput = &music;
  OptionsScreen.Load();
  EXPECT_EQ(VisibleButtons(), "1357");
  PushMode(&OptionsScreen);
  OptionsScreen.KeyDown(platform::VK_RETURN);  // OK
  EXPECT_EQ(OptionsFile(), (std::vector<uint8_t>{1, 1, 1, 1}));
  EXPECT_EQ(CurrentMode(), &MainMode);

  Island.active = 1;
  StartTick = static_cast<int32_t>(platform::GetTickCount() - 1500);
  OptionsHelpPauseTick = platform::GetTickCount();
  PushMode(&OptionsScreen);
  for (int button : {3, 1, 5}) {
    OptionsScreen.MouseUp(1, OptionsScreen.X + OptionsScreen.buttons[button].X + 5,
                          OptionsScreen.Y + OptionsScreen.buttons[button].Y + 5);
  }
  EXPECT_EQ(VisibleButtons(), "2467");
  EXPECT_EQ(music.calls, "stop ");
  OptionsScreen.ButtonPressed(4);
  EXPECT_EQ(VisibleButtons(), "2367");
  EXPECT_EQ(music.calls, "stop start ");
  EXPECT_EQ(GameOptions.musicOn, 1);
  EXPECT_EQ(OptionsFile(), (std::vector<uint8_t>{1, 1, 1, 1}));  // not yet saved
  OptionsScreen.ButtonPressed(0);  // Esc does nothing
  EXPECT_EQ(CurrentMode(), &OptionsScreen);
  g_ticks += 120000;
  OptionsScreen.ButtonPressed(7);
  EXPECT_EQ(OptionsFile(), (std::vector<uint8_t>{1, 0, 0, 1}));
  EXPECT_EQ(CurrentMode(), &MainMode);
  EXPECT_LT(ElapsedSeconds(), 30);
  GameSoundOutput = nullptr;
}

}  // namespace
