#include "GtkDialogLayout.h"

#include <string>

void InstallDialogStyle(int pointSize) {
  static bool installed = false;
  if (installed) return;
  installed = true;
  const std::string window = std::string("window.") + kDialogStyleClass;
  const std::string css =
      window + ", " + window + " * { font-size: " + std::to_string(pointSize) + "pt; }\n" +
      window + " button { padding: 0 4px; min-height: 0; min-width: 0; }\n" +
      window + " combobox button { padding: 1px 4px; }\n" +
      window + " check { min-width: 12px; min-height: 12px; margin: 0 4px 0 0; }\n" +
      window + " scale { padding: 0; }\n" +
      window + " scale slider { min-width: 12px; min-height: 12px; margin: -5px; }\n" +
      window + " frame > border { border-radius: 0; }\n";
  GtkCssProvider* provider = gtk_css_provider_new();
  gtk_css_provider_load_from_data(provider, css.c_str(), -1, nullptr);
  gtk_style_context_add_provider_for_screen(gdk_screen_get_default(), GTK_STYLE_PROVIDER(provider),
                                            GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
  g_object_unref(provider);
}

DialogUnits MeasureDialogUnits(GtkWidget* window) {
  // The average width of the 52 letters, as dialog units have always been
  // measured, and the height of a line.
  PangoLayout* layout =
      gtk_widget_create_pango_layout(window, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
  int width = 0;
  int height = 0;
  pango_layout_get_pixel_size(layout, &width, &height);
  g_object_unref(layout);
  DialogUnits units;
  if (width > 0 && height > 0) {
    units.baseWidth = (width / 26 + 1) / 2;
    units.baseHeight = height;
  }
  return units;
}
