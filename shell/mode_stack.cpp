#include "shell/mode_stack.h"

#include "shell/mainloop.h"

tmode* PreviousMode = nullptr;

namespace {

tmode* g_stack[kModeStackCapacity + 1];  // used from index 1
int g_count = 0;

}  // namespace

tmode* CurrentMode() { return g_count >= 1 ? g_stack[g_count] : nullptr; }

int ModeStackDepth() { return g_count; }

void PushMode(tmode* mode) {
  PreviousMode = CurrentMode();
  // A full stack takes the new mode in place of its top entry.
  if (g_count < kModeStackCapacity) ++g_count;
  g_stack[g_count] = mode;
  CurrentMode()->Enter();
}

void SwitchMode(tmode* mode) {
  PreviousMode = CurrentMode();
  g_count = 1;
  g_stack[1] = mode;
  CurrentMode()->Enter();
}

void PopMode() {
  PreviousMode = CurrentMode();
  if (g_count > 0) --g_count;
  if (g_count == 0) QuitGame();
  CurrentMode()->Enter();
}

void ResetModeStack() {
  g_count = 0;
  PreviousMode = nullptr;
}
