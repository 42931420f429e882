// The settings dialog's logic on the running mixer, through controls without
// a display.
#include <gtest/gtest.h>

#include "api/SettingsDialog.h"
#include "api_fixture.h"
#include "fake_dialog_controls.h"

namespace {

using namespace quelt_dialog;

struct DialogLogicTest : ApiTest {
  // The output settings outlive QueltInit: every test starts from the
  // library's defaults.
  void SetUp() override {
    ApiTest::SetUp();
    QueltSetMode(44100, true, true);
    SetDSCooperativeLevel(1);
    QueltSetBlockSize(50);
    QueltSetMusicVolume(128);
    QueltSetFXVolume(128);
    QueltSetStereoSeparation(255);
    QueltSetInterpolation(2);
  }
  SettingsDialogLogic logic;
  FakeDialogControls dialog{logic};
  MixSettings& settings() { return library().settings; }
};

// Guards against a dialog that opens with controls that do not show the
// mixer: wrong selections, volumes not reversed, a buffer range computed from
// a buffer that does not exist yet, percent text off.
TEST_F(DialogLogicTest, OpensShowingTheMixerBeforeTheOutputStarts) {
  QueltSetMusicVolume(200);
  QueltSetFXVolume(0);
  QueltSetStereoSeparation(128);
  QueltSetInterpolation(1);
  dialog.Open();
  EXPECT_EQ(dialog.caption, std::string("Quelt settings: ") + QLT_ID);
  EXPECT_TRUE(dialog.checked[kIdStereo]);
  EXPECT_TRUE(dialog.checked[kId16Bit]);
  EXPECT_EQ(dialog.SelectedText(kIdFrequency), "44100");
  EXPECT_EQ(dialog.SelectedText(kIdInterpolation), "Linear");
  EXPECT_EQ(dialog.SelectedText(kIdCooperation), "EXCLUSIVE");
  EXPECT_EQ(dialog.trackbars[kIdMusicVolume].position, 55);
  EXPECT_EQ(dialog.trackbars[kIdFxVolume].position, 255);
  EXPECT_EQ(dialog.trackbars[kIdBufferLength].low, kMinBufferMilliseconds);
  EXPECT_EQ(dialog.trackbars[kIdBufferLength].high, 0);  // no play buffer yet
  EXPECT_EQ(dialog.trackbars[kIdBufferLength].position, 50);
  EXPECT_EQ(dialog.texts[kIdBufferLengthText], "50 ms");
  EXPECT_EQ(dialog.trackbars[kIdSeparation].position, 128);
  EXPECT_EQ(dialog.texts[kIdSeparationText], "50%");
  EXPECT_EQ(dialog.result, 0);
}

// Guards against trackbars read the wrong way round or not passed on at once:
// top is loud, bottom silent; separation and buffer length change as they move.
TEST_F(DialogLogicTest, TrackbarsChangeTheMixerAsTheyMove) {
  dialog.Open();
  dialog.Move(kIdMusicVolume, 0, false);
  EXPECT_EQ(QueltGetMusicVolume(), 255);
  dialog.Move(kIdMusicVolume, 255, false);
  EXPECT_EQ(QueltGetMusicVolume(), 0);
  dialog.Move(kIdFxVolume, 55, false);
  EXPECT_EQ(QueltGetFXVolume(), 200);
  EXPECT_EQ(QueltGetMusicVolume(), 0);
  dialog.Move(kIdSeparation, 128, true);
  EXPECT_EQ(settings().stereoSeparation, 128);
  EXPECT_EQ(dialog.texts[kIdSeparationText], "50%");
  dialog.Move(kIdBufferLength, 120, true);
  EXPECT_EQ(library().output.bufferMilliseconds, 120);
  EXPECT_EQ(dialog.texts[kIdBufferLengthText], "120 ms");
}

// Guards against a rate the list does not hold being replaced on OK, and
// against the check boxes not reaching the format.
TEST_F(DialogLogicTest, OkKeepsARateTheListDoesNotHold) {
  ASSERT_TRUE(QueltSetMode(32000, true, true));
  dialog.Open();
  EXPECT_EQ(dialog.Selection(kIdFrequency), -1);
  dialog.Toggle(kIdStereo);
  dialog.Press(kIdOk);
  EXPECT_EQ(dialog.result, kResultOk);
  EXPECT_EQ(settings().rate, 32000);
  EXPECT_EQ(settings().formatFlags, kFormat16Bit);
}

// Guards against Apply that does not refill (the list keeps an old
// selection, the range an old buffer) or stays enabled, and against other
// controls not enabling it or the interpolation box enabling it.
TEST_F(DialogLogicTest, ApplySetsTheFormatRefillsAndDisablesItself) {
  ASSERT_TRUE(QueltStartMixer(nullptr));
  dialog.Open();
  EXPECT_EQ(dialog.trackbars[kIdBufferLength].high, 32768 * 1000 / (4 * 44100));
  dialog.Choose(kIdInterpolation, "None");
  EXPECT_FALSE(dialog.enabled.count(kIdApply));
  dialog.Choose(kIdFrequency, "22050");
  EXPECT_TRUE(dialog.enabled[kIdApply]);
  dialog.Toggle(kId16Bit);
  dialog.Choose(kIdCooperation, "WRITE PRIMARY");
  dialog.Press(kIdApply);
  EXPECT_FALSE(dialog.enabled[kIdApply]);
  EXPECT_EQ(dialog.result, 0);
  EXPECT_TRUE(library().output.running);
  EXPECT_EQ(settings().rate, 22050);
  EXPECT_EQ(settings().formatFlags, kFormatStereo);
  EXPECT_EQ(library().output.cooperativeLevel, 0u);
  // Refilled from the restarted output: its play buffer is now the primary.
  EXPECT_EQ(dialog.SelectedText(kIdFrequency), "22050");
  EXPECT_FALSE(dialog.checked[kId16Bit]);
  EXPECT_EQ(dialog.trackbars[kIdBufferLength].high, int(library().output.bufferSize / 2 * 1000 / (2 * 22050)));
  EXPECT_EQ(dialog.trackbars[kIdBufferLength].position, library().output.bufferMilliseconds);
}

// Guards against Cancel undoing what already took effect, or applying the
// format it was meant to drop.
TEST_F(DialogLogicTest, CancelKeepsImmediateChangesAndDropsTheFormat) {
  dialog.Open();
  dialog.Move(kIdMusicVolume, 0, false);
  dialog.Choose(kIdInterpolation, "None");
  EXPECT_EQ(settings().interpolation, 0);
  dialog.Choose(kIdFrequency, "11025");
  dialog.Choose(kIdCooperation, "PRIORITY");
  dialog.Press(kIdCancel);
  EXPECT_EQ(dialog.result, kResultCancel);
  EXPECT_EQ(QueltGetMusicVolume(), 255);
  EXPECT_EQ(settings().interpolation, 0);
  EXPECT_EQ(settings().rate, 44100);
  EXPECT_EQ(library().output.cooperativeLevel, 1u);
}

// Guards against OK that only stores the format while the output runs (the
// output would keep its old format), or that starts a stopped output.
TEST_F(DialogLogicTest, OkRestartsARunningOutputAndOnlyStoresWhenStopped) {
  dialog.Open();
  dialog.Choose(kIdFrequency, "48000");
  dialog.Press(kIdOk);
  EXPECT_EQ(settings().rate, 48000);
  EXPECT_FALSE(library().output.running);

  ASSERT_TRUE(QueltStartMixer(nullptr));
  FakeDialogControls second(logic);
  second.Open();
  second.Choose(kIdFrequency, "11025");
  second.Toggle(kIdStereo);
  second.Press(kIdOk);
  EXPECT_TRUE(library().output.running);
  EXPECT_TRUE(library().mixerStarted);
  EXPECT_EQ(settings().rate, 11025);
  // The restarted output computed its write chunk for the new format (at
  // 44100 Hz stereo it held 8820 bytes).
  EXPECT_LE(library().output.writeChunk, 11025u * 2 * 50 / 1000);
}

// Guards against values a view or the mixer may hold that the lists and
// ranges cannot show: no selection, and nothing out of its bounds.
TEST_F(DialogLogicTest, FillTakesAnyValues) {
  DialogSettings odd;
  odd.rate = 0;
  odd.interpolation = -7;
  odd.cooperativeLevel = 0xFFFFFFFF;
  odd.bufferSize = 0xFFFFFFFF;
  odd.stereo = odd.sixteenBit = false;
  FillSettingsControls(dialog, odd);
  EXPECT_EQ(dialog.Selection(kIdFrequency), -1);
  EXPECT_EQ(dialog.Selection(kIdInterpolation), -1);
  EXPECT_EQ(dialog.Selection(kIdCooperation), -1);
  EXPECT_EQ(dialog.trackbars[kIdBufferLength].high, 0);
  odd.rate = 1;
  FillSettingsControls(dialog, odd);
  EXPECT_EQ(dialog.trackbars[kIdBufferLength].high, 0x7FFFFFFF);
  // A list without a selection keeps the current level on OK.
  dialog.Press(kIdOk);
  EXPECT_EQ(library().output.cooperativeLevel, 1u);
}

}  // namespace
