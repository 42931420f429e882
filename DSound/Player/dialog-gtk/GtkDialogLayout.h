// Placing a dialog template's controls in pixels: the dialog's font and
// compact look, and dialog units measured with that font.
#pragma once

#include <gtk/gtk.h>

// The style class of the dialog's window.
constexpr const char* kDialogStyleClass = "quelt-dialog";

// Gives windows of kDialogStyleClass a font of pointSize points and controls
// as compact as a template laid out for that font expects.
void InstallDialogStyle(int pointSize);

// Dialog units of a window's font: a horizontal unit is a quarter of the
// average character width, a vertical unit an eighth of the font's height.
struct DialogUnits {
  int baseWidth = 6;
  int baseHeight = 13;
  int X(int units) const { return (units * baseWidth + 2) / 4; }
  int Y(int units) const { return (units * baseHeight + 4) / 8; }
};

DialogUnits MeasureDialogUnits(GtkWidget* window);
