// The settings dialog's logic over the running mixer.
#include "api/SettingsDialog.h"

#include <algorithm>
#include <cstdio>

#include "api/QueltLibrary.h"
#include "api/quelt.h"

namespace quelt_dialog {

namespace {

using Kind = ControlKind;

// The dialog, 295 x 167 units, in an 8-point font.
const ControlTemplate kControls[] = {
    {kIdOk, Kind::DefaultButton, "OK", 53, 150, 50, 14, false},
    {kIdCancel, Kind::Button, "Cancel", 105, 150, 50, 14, false},
    {kIdApply, Kind::Button, "Apply", 159, 150, 50, 14, true},
    {kNoControlId, Kind::GroupBox, "Mode", 7, 7, 54, 43, false},
    {kIdStereo, Kind::CheckBox, "Stereo", 13, 18, 37, 10, false},
    {kId16Bit, Kind::CheckBox, "16 bit", 13, 33, 37, 10, false},
    {kNoControlId, Kind::GroupBox, "Frequency", 67, 7, 74, 43, false},
    {kIdFrequency, Kind::DropDownList, "", 77, 24, 54, 53, false},
    {kNoControlId, Kind::GroupBox, "Stereo separation", 7, 52, 134, 44, false},
    {kIdSeparation, Kind::HorizontalTrackbar, "", 13, 64, 94, 25, false},
    {kIdSeparationText, Kind::ValueLabel, "100%", 109, 64, 19, 25, false},
    {kNoControlId, Kind::GroupBox, "Buffer length", 7, 100, 134, 42, false},
    {kIdBufferLength, Kind::HorizontalTrackbar, "", 13, 111, 94, 25, false},
    {kIdBufferLengthText, Kind::ValueLabel, "1000 ms", 109, 111, 28, 25, false},
    {kNoControlId, Kind::GroupBox, "Volume", 147, 7, 61, 90, false},
    {kIdMusicVolume, Kind::VerticalTrackbar, "", 156, 15, 17, 69, false},
    {kIdFxVolume, Kind::VerticalTrackbar, "", 184, 15, 17, 69, false},
    {kNoControlId, Kind::Label, "Music", 154, 85, 20, 8, false},
    {kNoControlId, Kind::Label, "Sound", 182, 85, 21, 8, false},
    {kNoControlId, Kind::GroupBox, "Interpolation", 147, 100, 61, 42, false},
    {kIdInterpolation, Kind::DropDownList, "", 151, 116, 54, 43, false},
    {kNoControlId, Kind::GroupBox, "Cooperation", 211, 7, 76, 42, false},
    {kIdCooperation, Kind::DropDownList, "", 216, 23, 66, 44, false},
};

const DialogTemplate kTemplate = {8, 295, 167, kControls, static_cast<int>(std::size(kControls))};

// The rate list: an entry's index is its place here.
constexpr uint16_t kRates[] = {48000, 44100, 22050, 11025};
const char* const kRateTexts[] = {"48000", "44100", "22050", "11025"};
const char* const kInterpolationTexts[] = {"None", "Linear", "Square"};
const char* const kCooperationTexts[] = {"WRITE PRIMARY", "EXCLUSIVE", "PRIORITY"};

constexpr int kTrackbarTop = 0;
constexpr int kTrackbarBottom = 255;

// The index whose value equals value, or -1.
int IndexIn(int64_t value, int count) { return value >= 0 && value < count ? static_cast<int>(value) : -1; }

int RateIndex(uint16_t rate) {
  const uint16_t* found = std::find(std::begin(kRates), std::end(kRates), rate);
  return found == std::end(kRates) ? -1 : static_cast<int>(found - std::begin(kRates));
}

void FillList(DialogControls& controls, int control, const char* const* texts, int count, int selection) {
  controls.SetEntries(control, texts, count);
  controls.Select(control, selection);
}

template <typename... Values>
void SetFormattedText(DialogControls& controls, int control, const char* format, Values... values) {
  char text[32];
  std::snprintf(text, sizeof text, format, values...);
  controls.SetText(control, text);
}

void ShowBufferLength(DialogControls& controls, int milliseconds) {
  SetFormattedText(controls, kIdBufferLengthText, "%i ms", milliseconds);
}

void ShowSeparation(DialogControls& controls, int position) {
  SetFormattedText(controls, kIdSeparationText, "%i%%", position * 100 / 255);
}

// The longest buffer length whose write chunk fits in half the play buffer.
int LongestBufferLength(const DialogSettings& settings) {
  const uint64_t frameBytes = uint64_t{settings.stereo ? 2u : 1u} * (settings.sixteenBit ? 2u : 1u);
  if (settings.rate == 0) return 0;
  const uint64_t longest = uint64_t{settings.bufferSize / 2} * 1000 / (frameBytes * settings.rate);
  return static_cast<int>(std::min<uint64_t>(longest, 0x7FFFFFFF));
}

// A trackbar position as a value of 0-255 (a view may report any number).
uint8_t ByteOf(int position) { return static_cast<uint8_t>(std::clamp(position, 0, 255)); }

// The format and the cooperative level as the controls show them, set on the
// output (a running output restarts with them). A list without a selection
// keeps the current value.
void ApplyOutputSettings(DialogControls& controls) {
  const DialogSettings current = CurrentDialogSettings();
  const int rateIndex = IndexIn(controls.Selection(kIdFrequency), static_cast<int>(std::size(kRates)));
  const uint16_t rate = rateIndex >= 0 ? kRates[rateIndex] : current.rate;
  QueltSetMode(rate, controls.Checked(kIdStereo), controls.Checked(kId16Bit));
  const int level = IndexIn(controls.Selection(kIdCooperation), static_cast<int>(std::size(kCooperationTexts)));
  if (level >= 0) SetDSCooperativeLevel(static_cast<unsigned long>(level));
}

}  // namespace

const DialogTemplate& SettingsDialogTemplate() { return kTemplate; }

DialogSettings CurrentDialogSettings() {
  const QueltLibrary& library = Library();
  const uint8_t format = library.settings.formatFlags;
  DialogSettings settings;
  settings.rate = library.settings.rate;
  settings.stereo = (format & kFormatStereo) != 0;
  settings.sixteenBit = (format & kFormat16Bit) != 0;
  settings.interpolation = library.settings.interpolation;
  settings.cooperativeLevel = library.output.cooperativeLevel;
  settings.musicVolume = QueltGetMusicVolume();
  settings.fxVolume = QueltGetFXVolume();
  settings.bufferSize = library.output.bufferSize;
  settings.bufferMilliseconds = library.output.bufferMilliseconds;
  settings.separation = library.settings.stereoSeparation;
  return settings;
}

void FillSettingsControls(DialogControls& controls, const DialogSettings& settings) {
  char caption[200];
  std::snprintf(caption, sizeof caption, "Quelt settings: %s", QLT_ID);
  controls.SetCaption(caption);
  controls.SetChecked(kIdStereo, settings.stereo);
  controls.SetChecked(kId16Bit, settings.sixteenBit);
  FillList(controls, kIdFrequency, kRateTexts, std::size(kRateTexts), RateIndex(settings.rate));
  FillList(controls, kIdInterpolation, kInterpolationTexts, std::size(kInterpolationTexts),
           IndexIn(settings.interpolation, std::size(kInterpolationTexts)));
  FillList(controls, kIdCooperation, kCooperationTexts, std::size(kCooperationTexts),
           IndexIn(settings.cooperativeLevel, std::size(kCooperationTexts)));
  for (const auto& [control, volume] : {std::pair{kIdMusicVolume, settings.musicVolume},
                                        std::pair{kIdFxVolume, settings.fxVolume}}) {
    controls.SetRange(control, kTrackbarTop, kTrackbarBottom);
    controls.SetPosition(control, kTrackbarBottom - volume);
  }
  controls.SetRange(kIdBufferLength, kMinBufferMilliseconds, LongestBufferLength(settings));
  controls.SetPosition(kIdBufferLength, settings.bufferMilliseconds);
  ShowBufferLength(controls, settings.bufferMilliseconds);
  controls.SetRange(kIdSeparation, 0, 255);
  controls.SetPosition(kIdSeparation, settings.separation);
  ShowSeparation(controls, settings.separation);
}

void SettingsDialogLogic::Initialise(DialogControls& controls) {
  FillSettingsControls(controls, CurrentDialogSettings());
}

void SettingsDialogLogic::Command(DialogControls& controls, int control) {
  switch (control) {
    case kIdOk:
      ApplyOutputSettings(controls);
      controls.End(kResultOk);
      break;
    case kIdCancel:
      controls.End(kResultCancel);
      break;
    case kIdApply:
      ApplyOutputSettings(controls);
      FillSettingsControls(controls, CurrentDialogSettings());
      controls.Enable(kIdApply, false);
      break;
    case kIdInterpolation:
      if (const int selection = controls.Selection(kIdInterpolation); selection >= 0) {
        QueltSetInterpolation(selection);
      }
      break;
    default:
      controls.Enable(kIdApply, true);
      break;
  }
}

void SettingsDialogLogic::HorizontalScroll(DialogControls& controls) {
  const int milliseconds = std::clamp(controls.Position(kIdBufferLength), 0, 0xFFFF);
  QueltSetBlockSize(static_cast<unsigned short>(milliseconds));
  ShowBufferLength(controls, milliseconds);
  const uint8_t separation = ByteOf(controls.Position(kIdSeparation));
  QueltSetStereoSeparation(separation);
  ShowSeparation(controls, separation);
}

void SettingsDialogLogic::VerticalScroll(DialogControls& controls) {
  QueltSetMusicVolume(ByteOf(kTrackbarBottom - controls.Position(kIdMusicVolume)));
  QueltSetFXVolume(ByteOf(kTrackbarBottom - controls.Position(kIdFxVolume)));
}

}  // namespace quelt_dialog
