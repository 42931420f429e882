// A small program that opens the game's real window and display on the
// program directory's pictures, fonts and cursors, shows the main screen's
// background with one text field, and writes every input event it receives
// to a log. The real-window test drives it with X input and reads the log.
//
//   tervane-window-check <program directory> <log file> <snapshot.bmp>
//
// Esc writes the visible picture to the snapshot file and ends the program;
// F1 switches between the main screen's and the help screen's pictures, with
// the transitions the game runs between such screens.
#include <unistd.h>

#include <cstdio>
#include <string>

#include "graphics/cursor.h"
#include "graphics/display.h"
#include "platform/window.h"
#include "shell/mainloop.h"
#include "shell/mode.h"
#include "shell/mode_stack.h"
#include "shell/shell_services.h"

namespace {

std::FILE* g_log = nullptr;
std::string g_snapshot;

void Log(const std::string& line) {
  std::fprintf(g_log, "%s\n", line.c_str());
  std::fflush(g_log);
}

class EchoMode : public tmode {
 public:
  explicit EchoMode(const char* folder) : folder_(folder) {}

  EchoMode* other = nullptr;

  void Load() override {
    ModeName = folder_;
    tmode::Load();
    textFieldCount = 1;
    TextField& field = textFields[1];
    field.X = 150;
    field.Y = 300;
    field.Width = 200;
    field.Height = 29;
    field.maximumLength = 20;
  }
  void MouseDown(int button, int x, int y) override {
    Log("down " + std::to_string(button) + " " + std::to_string(x) + " " + std::to_string(y));
    tmode::MouseDown(button, x, y);
  }
  void MouseUp(int button, int x, int y) override {
    Log("up " + std::to_string(button) + " " + std::to_string(x) + " " + std::to_string(y));
  }
  void MouseMove(int x, int y) override {
    Log("move " + std::to_string(x) + " " + std::to_string(y));
    tmode::MouseMove(x, y);
  }
  void KeyDown(int key) override {
    Log("key " + std::to_string(key));
    if (key == platform::VK_ESCAPE) {
      platform::SaveSurfaceAsBmp(*PrimarySurface, g_snapshot);
      Log("text " + textFields[1].text);
      FatalExit("");
    }
    if (key == platform::VK_F1 && other != nullptr) {
      SwitchMode(other);
      Log("shown " + other->ModeName);
      return;
    }
    tmode::KeyDown(key);
  }

 private:
  const char* folder_;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: %s <program directory> <log file> <snapshot.bmp>\n", argv[0]);
    return 2;
  }
  g_log = std::fopen(argv[2], "w");
  g_snapshot = argv[3];
  if (g_log == nullptr || chdir(argv[1]) != 0) return 2;

  ConnectShellServices();
  platform::WindowClass windowClass;
  windowClass.procedure = GameWindowProcedure;
  windowClass.className = "Tervane";
  windowClass.iconFile = "Eicon.ico";
  if (!platform::InitVideo() || !platform::RegisterWindowClass(windowClass)) return 3;
  MainWindowHandle = platform::CreateGameWindow("Tervane", "Tervane", platform::WS_POPUP);
  platform::ShowGameWindow(MainWindowHandle);
  platform::UpdateGameWindow(MainWindowHandle);
  InitDisplay(MainWindowHandle);
  StartupComplete = true;
  DispatchEnabled = true;

  static EchoMode mode("Main");
  static EchoMode help("Help");
  mode.other = &help;
  help.other = &mode;
  SwitchMode(&mode);
  CursorVisible = true;
  SelectCursor(1);
  Log("ready");
  for (;;) MainLoopStep();
}
