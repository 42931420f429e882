// The map selection screen: one button per map type, a marker over the type
// stored in the options, and a close button. Choosing a type saves it at
// once; closing starts a new map when the chosen type differs from the type
// of the map in play.
#pragma once

#include "screens/windowed_mode.h"

class TSelMapMode : public tWindowedMode {
 public:
  void ButtonPressed(int index) override;
  void Load() override;
  // The button face, then the marker over the chosen type's button.
  void DrawButtonFace(const SurfaceRef& image, Surface& target, int index) override;

  SurfaceRef marker;  // "SelectMap\mask", black transparent
};

extern TSelMapMode MapSelectionScreen;
