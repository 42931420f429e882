// The view module's entry points: GTK is started on the first run, on the
// thread that runs the dialog; every later run must come from that thread.
#include "QueltDialogView.h"

#include <gtk/gtk.h>

#include <atomic>
#include <cstdio>
#include <mutex>
#include <thread>

#include "GtkDialogView.h"

namespace {

std::mutex shownMutex;
GtkDialogView* shown = nullptr;  // the dialog being run, if any
unsigned shownGeneration = 0;    // counts the dialogs run, so a late close finds none
bool started = false;
std::thread::id toolkitThread;

int Refuse(char* error, size_t errorSize, const char* reason) {
  if (error != nullptr && errorSize > 0) std::snprintf(error, errorSize, "%s", reason);
  return -1;
}

// Starts GTK once. An owner window is an X11 window, so X11 comes first.
bool StartToolkit(unsigned long ownerWindow, const char*& reason) {
  if (started) {
    if (std::this_thread::get_id() == toolkitThread) return true;
    reason = "the dialog was first shown on another thread, and GTK serves only that one";
    return false;
  }
  if (ownerWindow != 0) gdk_set_allowed_backends("x11,*");
  if (!gtk_init_check(nullptr, nullptr)) {
    reason = "no display can be opened (is DISPLAY set?)";
    return false;
  }
  started = true;
  toolkitThread = std::this_thread::get_id();
  return true;
}

gboolean CloseShown(gpointer generation) {
  std::lock_guard<std::mutex> lock(shownMutex);
  if (shown != nullptr && shownGeneration == GPOINTER_TO_UINT(generation)) shown->Cancel();
  return G_SOURCE_REMOVE;
}

}  // namespace

int QueltDialogViewVersion() { return quelt_dialog::kViewInterfaceVersion; }

int QueltDialogViewRun(const quelt_dialog::DialogTemplate* dialog, quelt_dialog::DialogProcedure* procedure,
                       unsigned long ownerWindow, char* error, size_t errorSize) {
  if (dialog == nullptr || procedure == nullptr) return Refuse(error, errorSize, "no dialog to show");
  const char* reason = "";
  if (!StartToolkit(ownerWindow, reason)) return Refuse(error, errorSize, reason);
  {
    std::lock_guard<std::mutex> lock(shownMutex);
    if (shown != nullptr) return Refuse(error, errorSize, "a settings dialog is already shown");
  }
  GtkDialogView view(*dialog, *procedure);
  {
    std::lock_guard<std::mutex> lock(shownMutex);
    shown = &view;
    ++shownGeneration;
  }
  const int result = view.Run(ownerWindow);
  std::lock_guard<std::mutex> lock(shownMutex);
  shown = nullptr;
  return result;
}

void QueltDialogViewClose() {
  unsigned generation = 0;
  {
    std::lock_guard<std::mutex> lock(shownMutex);
    if (shown == nullptr) return;
    generation = shownGeneration;
  }
  // Queued for the thread running the dialog, which the idle source wakes.
  g_idle_add(CloseShown, GUINT_TO_POINTER(generation));
}
