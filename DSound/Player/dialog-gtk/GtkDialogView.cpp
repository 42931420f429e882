#include "GtkDialogView.h"

#include <gdk/gdkkeysyms.h>
#include <gdk/gdkx.h>

#include <algorithm>
#include <cmath>

#include "GtkDialogLayout.h"

using quelt_dialog::ControlKind;
using quelt_dialog::ControlTemplate;
using quelt_dialog::DialogTemplate;

namespace {

constexpr const char* kControlKey = "quelt-control";
constexpr int kTickCount = 10;  // intervals between the ticks of a horizontal trackbar

int ControlOf(gpointer widget) { return GPOINTER_TO_INT(g_object_get_data(G_OBJECT(widget), kControlKey)); }

// Holds reports back while the procedure itself changes the controls.
class Quiet {
 public:
  explicit Quiet(int& depth) : depth_(depth) { ++depth_; }
  ~Quiet() { --depth_; }
  Quiet(const Quiet&) = delete;
  Quiet& operator=(const Quiet&) = delete;

 private:
  int& depth_;
};

GtkWidget* MakeLabel(const ControlTemplate& control) {
  GtkWidget* label = gtk_label_new(control.text);
  const bool value = control.kind == ControlKind::ValueLabel;
  gtk_label_set_xalign(GTK_LABEL(label), value ? 1.0f : 0.0f);
  gtk_label_set_yalign(GTK_LABEL(label), value ? 0.5f : 0.0f);
  return label;
}

}  // namespace

GtkDialogView::GtkDialogView(const DialogTemplate& dialog, quelt_dialog::DialogProcedure& procedure)
    : procedure_(procedure) {
  InstallDialogStyle(dialog.pointSize);
  window_ = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  gtk_style_context_add_class(gtk_widget_get_style_context(window_), kDialogStyleClass);
  gtk_window_set_modal(GTK_WINDOW(window_), TRUE);
  gtk_window_set_resizable(GTK_WINDOW(window_), FALSE);
  gtk_window_set_type_hint(GTK_WINDOW(window_), GDK_WINDOW_TYPE_HINT_DIALOG);
  gtk_window_set_position(GTK_WINDOW(window_), GTK_WIN_POS_CENTER);
  const DialogUnits units = MeasureDialogUnits(window_);
  GtkWidget* area = gtk_fixed_new();
  gtk_widget_set_size_request(area, units.X(dialog.width), units.Y(dialog.height));
  gtk_container_add(GTK_CONTAINER(window_), area);
  // In template order: a group box comes before the controls it frames, so
  // they are drawn over it.
  for (int i = 0; i < dialog.controlCount; ++i) {
    const ControlTemplate& control = dialog.controls[i];
    GtkWidget* widget = MakeControl(control);
    g_object_set_data(G_OBJECT(widget), kControlKey, GINT_TO_POINTER(control.id));
    const bool list = control.kind == ControlKind::DropDownList;  // its height includes the open list
    gtk_widget_set_size_request(widget, units.X(control.width), list ? -1 : units.Y(control.height));
    gtk_widget_set_sensitive(widget, !control.initiallyDisabled);
    gtk_fixed_put(GTK_FIXED(area), widget, units.X(control.x), units.Y(control.y));
    if (control.id != quelt_dialog::kNoControlId) controls_[control.id] = widget;
    if (control.kind == ControlKind::DefaultButton) {
      gtk_widget_set_can_default(widget, TRUE);
      gtk_window_set_default(GTK_WINDOW(window_), widget);
    }
  }
  g_signal_connect(window_, "delete-event", G_CALLBACK(OnDelete), this);
  g_signal_connect(window_, "key-press-event", G_CALLBACK(OnKey), this);
  loop_ = g_main_loop_new(nullptr, FALSE);
}

GtkDialogView::~GtkDialogView() {
  gtk_widget_destroy(window_);
  g_main_loop_unref(loop_);
  // Let the window disappear before the caller goes on.
  while (gtk_events_pending()) gtk_main_iteration();
}

GtkWidget* GtkDialogView::MakeControl(const ControlTemplate& control) {
  GtkWidget* widget = nullptr;
  switch (control.kind) {
    case ControlKind::DefaultButton:
    case ControlKind::Button:
      widget = gtk_button_new_with_label(control.text);
      Connect(widget, "clicked", control.id);
      break;
    case ControlKind::GroupBox:
      widget = gtk_frame_new(control.text);
      break;
    case ControlKind::CheckBox:
      widget = gtk_check_button_new_with_label(control.text);
      Connect(widget, "toggled", control.id);
      break;
    case ControlKind::DropDownList:
      widget = gtk_combo_box_text_new();
      Connect(widget, "changed", control.id);
      break;
    case ControlKind::HorizontalTrackbar:
    case ControlKind::VerticalTrackbar:
      widget = MakeTrackbar(control, control.kind == ControlKind::HorizontalTrackbar);
      break;
    case ControlKind::Label:
    case ControlKind::ValueLabel:
      widget = MakeLabel(control);
      break;
  }
  return widget;
}

GtkWidget* GtkDialogView::MakeTrackbar(const ControlTemplate& control, bool horizontal) {
  GtkWidget* scale = gtk_scale_new_with_range(horizontal ? GTK_ORIENTATION_HORIZONTAL : GTK_ORIENTATION_VERTICAL,
                                              0, 100, 1);
  gtk_scale_set_draw_value(GTK_SCALE(scale), FALSE);
  // A trackbar's trough is not filled up to its thumb: for the volumes,
  // whose loud end is at the top, a fill would read upside down.
  gtk_scale_set_has_origin(GTK_SCALE(scale), FALSE);
  gtk_range_set_round_digits(GTK_RANGE(scale), 0);
  trackbars_[control.id].horizontal = horizontal;
  g_signal_connect(scale, "value-changed", G_CALLBACK(OnMoved), this);
  return scale;
}

void GtkDialogView::Connect(GtkWidget* widget, const char* signal, int control) {
  if (control != quelt_dialog::kNoControlId) g_signal_connect(widget, signal, G_CALLBACK(OnCommand), this);
}

int GtkDialogView::Run(unsigned long ownerWindow) {
  {
    Quiet quiet(updating_);
    procedure_.Initialise(*this);
  }
  gtk_widget_realize(window_);
  SetOwner(ownerWindow);
  gtk_widget_show_all(window_);
  if (!ended_) g_main_loop_run(loop_);
  return result_;
}

void GtkDialogView::SetOwner(unsigned long ownerWindow) {
  GdkDisplay* display = gtk_widget_get_display(window_);
  if (ownerWindow == 0 || !GDK_IS_X11_DISPLAY(display)) return;
  GdkWindow* owner = gdk_x11_window_foreign_new_for_display(display, ownerWindow);
  if (owner == nullptr) return;
  gdk_window_set_transient_for(gtk_widget_get_window(window_), owner);
  g_object_unref(owner);
}

void GtkDialogView::Cancel() { Report(quelt_dialog::kCancelCommand); }

void GtkDialogView::Report(int control) {
  if (updating_ > 0 || ended_) return;
  Quiet quiet(updating_);
  procedure_.Command(*this, control);
}

void GtkDialogView::Moved(GtkRange* range) {
  if (updating_ > 0 || ended_) return;
  const int control = ControlOf(range);
  Trackbar& trackbar = trackbars_[control];
  trackbar.position = static_cast<int>(std::lround(gtk_range_get_value(range)));
  Quiet quiet(updating_);
  if (trackbar.horizontal) {
    procedure_.HorizontalScroll(*this);
  } else {
    procedure_.VerticalScroll(*this);
  }
}

void GtkDialogView::OnCommand(GtkWidget* widget, gpointer view) {
  static_cast<GtkDialogView*>(view)->Report(ControlOf(widget));
}

void GtkDialogView::OnMoved(GtkRange* range, gpointer view) { static_cast<GtkDialogView*>(view)->Moved(range); }

gboolean GtkDialogView::OnDelete(GtkWidget*, GdkEvent*, gpointer view) {
  static_cast<GtkDialogView*>(view)->Cancel();
  return TRUE;  // the procedure decides whether the window closes
}

gboolean GtkDialogView::OnKey(GtkWidget*, GdkEventKey* event, gpointer view) {
  if (event->keyval != GDK_KEY_Escape) return FALSE;
  static_cast<GtkDialogView*>(view)->Cancel();
  return TRUE;
}

GtkWidget* GtkDialogView::Widget(int control) const {
  const auto found = controls_.find(control);
  return found == controls_.end() ? nullptr : found->second;
}

void GtkDialogView::SetCaption(const char* text) { gtk_window_set_title(GTK_WINDOW(window_), text); }

void GtkDialogView::SetText(int control, const char* text) {
  if (GtkWidget* widget = Widget(control); widget != nullptr && GTK_IS_LABEL(widget)) {
    gtk_label_set_text(GTK_LABEL(widget), text);
  }
}

void GtkDialogView::SetChecked(int control, bool checked) {
  if (GtkWidget* widget = Widget(control); widget != nullptr && GTK_IS_TOGGLE_BUTTON(widget)) {
    gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(widget), checked);
  }
}

bool GtkDialogView::Checked(int control) {
  GtkWidget* widget = Widget(control);
  return widget != nullptr && GTK_IS_TOGGLE_BUTTON(widget) && gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(widget));
}

void GtkDialogView::SetEntries(int control, const char* const* entries, int count) {
  GtkWidget* widget = Widget(control);
  if (widget == nullptr || !GTK_IS_COMBO_BOX_TEXT(widget)) return;
  gtk_combo_box_text_remove_all(GTK_COMBO_BOX_TEXT(widget));
  for (int i = 0; i < count; ++i) gtk_combo_box_text_append_text(GTK_COMBO_BOX_TEXT(widget), entries[i]);
  gtk_combo_box_set_active(GTK_COMBO_BOX(widget), -1);
}

void GtkDialogView::Select(int control, int index) {
  GtkWidget* widget = Widget(control);
  if (widget == nullptr || !GTK_IS_COMBO_BOX(widget)) return;
  const int count = gtk_tree_model_iter_n_children(gtk_combo_box_get_model(GTK_COMBO_BOX(widget)), nullptr);
  gtk_combo_box_set_active(GTK_COMBO_BOX(widget), index >= 0 && index < count ? index : -1);
}

int GtkDialogView::Selection(int control) {
  GtkWidget* widget = Widget(control);
  return widget != nullptr && GTK_IS_COMBO_BOX(widget) ? gtk_combo_box_get_active(GTK_COMBO_BOX(widget)) : -1;
}

void GtkDialogView::SetRange(int control, int low, int high) {
  const auto found = trackbars_.find(control);
  if (found == trackbars_.end()) return;
  found->second.low = low;
  found->second.high = high;
  ShowTrackbar(control);
}

void GtkDialogView::SetPosition(int control, int position) {
  const auto found = trackbars_.find(control);
  if (found == trackbars_.end()) return;
  found->second.position = position;
  ShowTrackbar(control);
}

int GtkDialogView::Position(int control) {
  const auto found = trackbars_.find(control);
  return found == trackbars_.end() ? 0 : found->second.position;
}

// Shows a trackbar's range and position. A range whose top lies below its
// bottom shows as a slider that cannot move; the position stays as set.
void GtkDialogView::ShowTrackbar(int control) {
  const Trackbar& trackbar = trackbars_[control];
  GtkWidget* widget = Widget(control);
  const double low = trackbar.low;
  const double high = std::max(trackbar.low, trackbar.high);
  gtk_range_set_range(GTK_RANGE(widget), low, high);
  gtk_range_set_increments(GTK_RANGE(widget), 1, std::max(1.0, (high - low) / 5));
  gtk_range_set_value(GTK_RANGE(widget), std::clamp<double>(trackbar.position, low, high));
  if (!trackbar.horizontal) return;
  gtk_scale_clear_marks(GTK_SCALE(widget));
  for (int tick = 0; tick <= kTickCount && high > low; ++tick) {
    gtk_scale_add_mark(GTK_SCALE(widget), low + (high - low) * tick / kTickCount, GTK_POS_TOP, nullptr);
  }
}

void GtkDialogView::Enable(int control, bool enabled) {
  if (GtkWidget* widget = Widget(control)) gtk_widget_set_sensitive(widget, enabled);
}

void GtkDialogView::End(int result) {
  result_ = result;
  ended_ = true;
  if (g_main_loop_is_running(loop_)) g_main_loop_quit(loop_);
}
