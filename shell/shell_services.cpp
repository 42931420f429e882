#include "shell/shell_services.h"

#include "game/game_host.h"
#include "graphics/cursor.h"
#include "graphics/graphics_host.h"
#include "shell/mainloop.h"
#include "shell/mode_stack.h"

namespace {

class ShellServices final : public GraphicsHost, public GameHost {
 public:
  void KeepWindowAlive() override { MainLoopStep(); }
  void DiscardQueuedInput() override {
    ClearInputQueue();
    LeftButtonHeld = false;
    RightButtonHeld = false;
  }
  void FatalError(const std::string& message) override { FatalExit(message); }
};

ShellServices g_services;

// The hand picture is shown while the current mode's hot button has the
// hand-cursor flag.
bool HotButtonWantsHand() {
  const tmode* mode = CurrentMode();
  return mode != nullptr && mode->hotButton > 0 && mode->hotButton <= kMaxButtons &&
         mode->buttons[mode->hotButton].handCursor;
}

}  // namespace

void ConnectShellServices() {
  GraphicsHostOutput = &g_services;
  GameHostOutput = &g_services;
  SetHandCursorRule(HotButtonWantsHand);
}
