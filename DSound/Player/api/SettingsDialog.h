// The settings dialog's logic: its template, how its controls are filled
// from the running mixer, and what the user's commands and trackbars change.
// It works on any view through the seam of SettingsDialogView.h.
#pragma once

#include <cstdint>

#include "api/SettingsDialogView.h"

namespace quelt_dialog {

// Control ids.
constexpr int kIdOk = 1;
constexpr int kIdCancel = kCancelCommand;
constexpr int kIdStereo = 1002;
constexpr int kId16Bit = 1003;
constexpr int kIdFrequency = 1004;
constexpr int kIdMusicVolume = 1009;
constexpr int kIdFxVolume = 1010;
constexpr int kIdApply = 1012;
constexpr int kIdBufferLength = 1013;
constexpr int kIdBufferLengthText = 1016;
constexpr int kIdSeparation = 1017;
constexpr int kIdSeparationText = 1018;
constexpr int kIdInterpolation = 1019;
constexpr int kIdCooperation = 1020;

// Results the dialog ends with.
constexpr int kResultOk = 1;
constexpr int kResultCancel = 2;

// The shortest buffer length the trackbar offers, in milliseconds.
constexpr int kMinBufferMilliseconds = 25;

const DialogTemplate& SettingsDialogTemplate();

// What the dialog shows of the mixer.
struct DialogSettings {
  uint16_t rate = 44100;
  bool stereo = true;
  bool sixteenBit = true;
  int32_t interpolation = 2;
  uint32_t cooperativeLevel = 1;
  uint8_t musicVolume = 128;
  uint8_t fxVolume = 128;
  uint32_t bufferSize = 0;  // bytes of the output's play buffer; 0 before the output first started
  uint16_t bufferMilliseconds = 50;
  uint8_t separation = 255;
};

// The running mixer's settings.
DialogSettings CurrentDialogSettings();

// Fills every control from the settings: caption, check boxes, the three
// lists and their selections, trackbar ranges and positions, value texts.
// Takes any values (they are outside data to the dialog).
void FillSettingsControls(DialogControls& controls, const DialogSettings& settings);

// The dialog procedure over the running mixer: volumes, buffer length,
// separation and interpolation change at once; format and cooperative level
// on OK or Apply.
class SettingsDialogLogic final : public DialogProcedure {
 public:
  void Initialise(DialogControls& controls) override;
  void Command(DialogControls& controls, int control) override;
  void HorizontalScroll(DialogControls& controls) override;
  void VerticalScroll(DialogControls& controls) override;
};

}  // namespace quelt_dialog
