// The settings dialog's logic fed with any values: the mixer set through the
// exported functions to whatever a client may ask, the controls filled from
// any settings, then a user (or a faulty view) reporting any selections and
// trackbar positions. No text may overflow or disagree with its control, no
// list may select past its entries, and the mixer keeps its ranges.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "api/QueltLibrary.h"
#include "api/SettingsDialog.h"
#include "api/quelt.h"
#include "input_bytes.h"
#include "tests/quelt/fake_dialog_controls.h"

namespace {

using namespace quelt_dialog;

using Bytes = fuzzing::InputBytes;

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

DialogSettings ReadSettings(Bytes& in) {
  DialogSettings settings;
  settings.rate = in.Next16();
  const uint8_t flags = in.Next();
  settings.stereo = flags & 1;
  settings.sixteenBit = flags & 2;
  settings.interpolation = static_cast<int32_t>(in.Next32());
  settings.cooperativeLevel = in.Next32();
  settings.musicVolume = in.Next();
  settings.fxVolume = in.Next();
  settings.bufferSize = in.Next32();
  settings.bufferMilliseconds = in.Next16();
  settings.separation = in.Next();
  return settings;
}

// What a client may have set before the dialog opens.
void SetMixer(const DialogSettings& settings) {
  QueltSetMode(settings.rate, settings.stereo, settings.sixteenBit);
  SetDSCooperativeLevel(settings.cooperativeLevel);
  QueltSetInterpolation(settings.interpolation);
  QueltSetMusicVolume(settings.musicVolume);
  QueltSetFXVolume(settings.fxVolume);
  QueltSetBlockSize(settings.bufferMilliseconds);
  QueltSetStereoSeparation(settings.separation);
}

// The controls as filled from these settings.
void CheckFilled(FakeDialogControls& dialog, const DialogSettings& settings) {
  for (int list : {kIdFrequency, kIdInterpolation, kIdCooperation}) {
    const int selection = dialog.Selection(list);
    Check(selection >= -1 && selection < static_cast<int>(dialog.entries[list].size()));
  }
  Check(dialog.trackbars[kIdMusicVolume].position == 255 - settings.musicVolume);
  Check(dialog.trackbars[kIdFxVolume].position == 255 - settings.fxVolume);
  Check(dialog.trackbars[kIdBufferLength].high >= 0);
  Check(dialog.texts[kIdBufferLengthText] == std::to_string(settings.bufferMilliseconds) + " ms");
  Check(dialog.texts[kIdSeparationText] == std::to_string(settings.separation * 100 / 255) + "%");
}

// One thing the user does; selections and positions may be any number.
void Act(FakeDialogControls& dialog, Bytes& in) {
  static const int kControls[] = {kIdOk,         kIdCancel,       kIdApply,         kIdStereo,
                                  kId16Bit,      kIdFrequency,    kIdInterpolation, kIdCooperation,
                                  kIdSeparation, kIdBufferLength, kIdMusicVolume,   kIdFxVolume};
  const uint8_t action = in.Next();
  const int control = kControls[in.Next() % std::size(kControls)];
  switch (action % 4) {
    case 0:
      dialog.Press(control);
      break;
    case 1:
      dialog.Toggle(control);
      break;
    case 2:
      dialog.selection[control] = static_cast<int>(in.Next32());
      dialog.Press(control);
      break;
    default:
      dialog.Move(control, static_cast<int>(in.Next32()), action & 4);
      break;
  }
  const MixSettings& mixer = Library().settings;
  Check(mixer.interpolation >= 0 && mixer.interpolation <= 2);
  Check(mixer.rate != 0);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  Check(QueltInit(2, 8, 3));
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Bytes in(data, size);
  SettingsDialogLogic logic;
  FakeDialogControls dialog(logic);
  QueltSetMode(44100, true, true);  // a rate of 0 is refused: start each input alike
  SetMixer(ReadSettings(in));
  dialog.Open();
  CheckFilled(dialog, CurrentDialogSettings());
  const DialogSettings shown = ReadSettings(in);
  FillSettingsControls(dialog, shown);
  CheckFilled(dialog, shown);
  for (int step = 0; step < 64 && in.Left() && dialog.result == 0; ++step) Act(dialog, in);
  return 0;
}
