// What the screens' tests share: the display opened headless, the game's
// fonts, a clock that the test moves by hand (transitions end at once), and
// a fresh program directory: a scratch folder whose entries lead to the
// build's program directory, so that the screens read the real pictures and
// layouts while the files they write ("Tervane.opt", "Tervane.top", the
// island rotation files in a copy of "islands") land in the scratch folder.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "game/clock.h"
#include "game/island.h"
#include "game/scores_file.h"
#include "graphics/font.h"
#include "graphics/transitionmaps.h"
#include "platform/clock.h"
#include "shell/mode_stack.h"
#include "support/scratch_folder.h"
#include "support/test_display.h"

namespace screens_testing {

// The tick count every reading returns; each reading moves it 1000 ms on,
// so that a transition ends on its first pass.
inline uint32_t g_ticks = 100000;
inline uint32_t SteppingTicks() { return g_ticks += 1000; }

class ScreenTest : public testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::make_unique<testing_support::ScratchFolder>();
    for (const auto& entry : std::filesystem::directory_iterator(TERVANE_GAME_DIR)) {
      const std::string name = entry.path().filename().string();
      // What the game writes stays in the scratch folder, even when the
      // build's program directory holds such files from a run by hand.
      if (name == "Tervane.top" || name == "Tervane.opt" || name == "Error.rep") continue;
      // New maps write their rotation files beside the islands.
      if (name == "islands") {
        std::filesystem::copy(entry.path(), folder_->Path() / name);
        continue;
      }
      std::filesystem::create_symlink(entry.path(), folder_->Path() / name);
    }
    testing_support::OpenTestDisplay();
    static bool prepared = false;
    if (!prepared) {
      InitTransitionMaps();
      for (const char* font : {"Fonts\\font16.fnt", "Fonts\\font20p.fnt", "Fonts\\digits16.fnt",
                               "Fonts\\game20.fnt", "Fonts\\font14p.fnt"}) {
        LoadFont(font, 0);
      }
      prepared = true;
    }
    platform::SetTickSource(SteppingTicks);
  }
  void TearDown() override {
    platform::SetTickSource(nullptr);
    ResetModeStack();
    StartTick = EndTick = 0;
    Island.active = 0;
    NewRecordPlace = 0;
    folder_.reset();
  }

  const std::filesystem::path& Folder() const { return folder_->Path(); }

 private:
  std::unique_ptr<testing_support::ScratchFolder> folder_;
};

// Fills a surface with one pixel value.
inline void Fill(Surface& surface, uint16_t pixel) {
  surface.Blt(nullptr, nullptr, nullptr, platform::DDBLT_COLORFILL, pixel);
}

// The bounding box of the pixels that differ between two 800 x 600
// surfaces; bottom and right stay -1 when none does.
struct Changed {
  int top = 600, bottom = -1, left = 800, right = -1;
};
inline Changed ChangedPixels(const Surface& a, const Surface& b, int top = 0, int bottom = 599) {
  Changed changed;
  for (int y = top; y <= bottom; ++y) {
    for (int x = 0; x < 800; ++x) {
      if (a.PixelAt(x, y) == b.PixelAt(x, y)) continue;
      changed.top = std::min(changed.top, y);
      changed.bottom = std::max(changed.bottom, y);
      changed.left = std::min(changed.left, x);
      changed.right = std::max(changed.right, x);
    }
  }
  return changed;
}

// A whole file's bytes; empty when it does not exist.
inline std::vector<uint8_t> FileBytes(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// Makes a game of the given map type that ended after the given seconds.
inline void FinishedGame(int mapType, int32_t seconds) {
  CurrentMapType = static_cast<uint8_t>(mapType);
  Island.active = 0;
  StartTick = 5000;
  EndTick = StartTick + (seconds - 1) * 1000 + 500;
}

}  // namespace screens_testing
