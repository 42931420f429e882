// What the screens' tests share: the display opened headless, the game's
// fonts, a clock that the test moves by hand (transitions end at once), and
// a fresh program directory: a scratch folder whose entries lead to the
// build's program directory, so that the screens read the real pictures and
// layouts while the files they write ("Tervane.opt", "Tervane.top") land in
// the scratch folder.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <memory>

#include "graphics/font.h"
#include "graphics/transitionmaps.h"
#include "platform/clock.h"
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
      std::filesystem::create_symlink(entry.path(), folder_->Path() / entry.path().filename());
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

}  // namespace screens_testing
