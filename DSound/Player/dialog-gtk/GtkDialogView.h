// The settings dialog's view in GTK 3: a modal window whose controls are
// made and placed from a dialog template, reporting the user's actions to
// the dialog procedure and carrying out what the procedure asks.
#pragma once

#include <gtk/gtk.h>

#include <map>

#include "api/SettingsDialogView.h"

class GtkDialogView final : public quelt_dialog::DialogControls {
 public:
  GtkDialogView(const quelt_dialog::DialogTemplate& dialog, quelt_dialog::DialogProcedure& procedure);
  ~GtkDialogView();
  GtkDialogView(const GtkDialogView&) = delete;
  GtkDialogView& operator=(const GtkDialogView&) = delete;

  // Shows the dialog (transient for the X11 window ownerWindow when not 0)
  // and runs it until the procedure ends it; returns the result.
  int Run(unsigned long ownerWindow);
  // Reports Cancel, as closing the window does.
  void Cancel();

  void SetCaption(const char* text) override;
  void SetText(int control, const char* text) override;
  void SetChecked(int control, bool checked) override;
  bool Checked(int control) override;
  void SetEntries(int control, const char* const* entries, int count) override;
  void Select(int control, int index) override;
  int Selection(int control) override;
  void SetRange(int control, int low, int high) override;
  void SetPosition(int control, int position) override;
  int Position(int control) override;
  void Enable(int control, bool enabled) override;
  void End(int result) override;

 private:
  struct Trackbar {
    int low = 0;
    int high = 0;
    int position = 0;  // as set, or as the user moved it
    bool horizontal = true;
  };

  GtkWidget* MakeControl(const quelt_dialog::ControlTemplate& control);
  GtkWidget* MakeTrackbar(const quelt_dialog::ControlTemplate& control, bool horizontal);
  void Connect(GtkWidget* widget, const char* signal, int control);
  void SetOwner(unsigned long ownerWindow);
  GtkWidget* Widget(int control) const;
  void ShowTrackbar(int control);
  void Report(int control);
  void Moved(GtkRange* range);

  static void OnCommand(GtkWidget* widget, gpointer view);
  static void OnMoved(GtkRange* range, gpointer view);
  static gboolean OnDelete(GtkWidget* widget, GdkEvent* event, gpointer view);
  static gboolean OnKey(GtkWidget* widget, GdkEventKey* event, gpointer view);

  quelt_dialog::DialogProcedure& procedure_;
  GtkWidget* window_ = nullptr;
  GMainLoop* loop_ = nullptr;
  std::map<int, GtkWidget*> controls_;
  std::map<int, Trackbar> trackbars_;
  int updating_ = 0;  // the procedure is setting values: no reports
  bool ended_ = false;
  int result_ = 0;
};
