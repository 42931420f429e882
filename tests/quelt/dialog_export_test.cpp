// The exported settings dialog: loading its view module, and what it does
// where no view can be shown. Each case runs in a process of its own, since a
// loaded view module stays loaded.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "api/quelt.h"
#include "api/QueltLibrary.h"

namespace {

using ::testing::ExitedWithCode;

struct DialogExportTest : ::testing::Test {
  void SetUp() override { GTEST_FLAG_SET(death_test_style, "threadsafe"); }
};

// Guards against a dialog that blocks, crashes or reports success where its
// view module cannot be found, and against a silent failure.
TEST_F(DialogExportTest, WithoutAViewModuleItSaysWhyAndReturnsFalse) {
  EXPECT_EXIT(
      {
        setenv("QUELT_DIALOG_MODULE", "/nonexistent/quelt-dialog-gtk.so", 1);
        QueltInit(1, 1, 1);
        std::_Exit(QueltSettingsDialog(nullptr) ? 1 : 0);
      },
      ExitedWithCode(0), "settings dialog cannot be shown: .*/nonexistent/quelt-dialog-gtk.so");
}

#ifdef QUELT_DIALOG_GTK_MODULE
// Guards against the GTK view blocking or crashing without a display.
TEST_F(DialogExportTest, WithoutADisplayItSaysWhyAndReturnsFalse) {
  EXPECT_EXIT(
      {
        unsetenv("DISPLAY");
        unsetenv("WAYLAND_DISPLAY");
        setenv("QUELT_DIALOG_MODULE", QUELT_DIALOG_GTK_MODULE, 1);
        QueltInit(1, 1, 1);
        std::_Exit(QueltSettingsDialog(nullptr) ? 1 : 0);
      },
      ExitedWithCode(0), "settings dialog cannot be shown: no display");
}
#endif

// Guards against a view module that is loaded but not driven through the
// seam: the logic must reach the mixer through it, and OK end the dialog.
TEST_F(DialogExportTest, TheViewModuleRunsTheLogicOnTheMixer) {
  EXPECT_EXIT(
      {
        setenv("QUELT_DIALOG_MODULE", QUELT_DIALOG_FAKE_MODULE, 1);
        QueltInit(1, 1, 1);
        const bool shown = QueltSettingsDialog(nullptr);
        const char* owner = std::getenv("FAKE_VIEW_OWNER");
        std::_Exit(shown && Library().settings.rate == 22050 && owner != nullptr && std::string(owner) == "0" ? 0
                                                                                                              : 1);
      },
      ExitedWithCode(0), "");
}

// Guards against the library loading a toolkit before the dialog is asked
// for: starting the mixer and playing must not map GTK into the process.
TEST(DialogExport, TheMixerDoesNotLoadGtk) {
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  ASSERT_TRUE(QueltInit(1, 1, 1));
  ASSERT_TRUE(QueltStartMixer(nullptr));
  std::ifstream maps("/proc/self/maps");
  const std::string mapped((std::istreambuf_iterator<char>(maps)), std::istreambuf_iterator<char>());
  EXPECT_EQ(mapped.find("libgtk"), std::string::npos);
  EXPECT_EQ(mapped.find("quelt-dialog"), std::string::npos);
  QueltUninit();
}

}  // namespace
