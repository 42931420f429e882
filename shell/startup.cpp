#include "shell/startup.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "game/scores_file.h"
#include "graphics/display.h"
#include "platform/files.h"
#include "platform/random.h"
#include "platform/window.h"
#include "shell/init_mode.h"
#include "shell/mainloop.h"
#include "shell/mode_stack.h"
#include "shell/shell_services.h"

namespace {

// Reads the command line: "--windowed" asks for an 800 x 600 window instead
// of the full screen. Any other single argument is a normal start ("-reg"
// and "-unreg" have been handled by the program entry).
void HandleCommandLine(int argc, char** argv) {
  if (argc != 2) return;
  if (std::strcmp(argv[1], "--windowed") == 0) platform::SetWindowedRequest(true);
}

}  // namespace

int RunGame(int argc, char** argv, const ScreenModes& modes) {
  ConnectShellServices();
  GameScreenModes = modes;
  HandleCommandLine(argc, argv);
  if (!platform::ChangeToProgramDirectory()) {
    std::fprintf(stderr, "Tervane: cannot enter the program directory\n");
    return 1;
  }
  LoadScores();
  platform::DeleteFileIfExists("Error.rep");
  platform::Randomize();

  platform::WindowClass windowClass;
  windowClass.style = platform::CS_HREDRAW | platform::CS_VREDRAW;
  windowClass.procedure = GameWindowProcedure;
  windowClass.iconFile = "Eicon.ico";
  windowClass.menuName = "";
  windowClass.className = "Tervane";
  if (!platform::InitVideo()) {
    std::fprintf(stderr, "Tervane: no display is available\n");
    std::_Exit(255);
  }
  if (!platform::RegisterWindowClass(windowClass)) std::_Exit(255);

  MainWindowHandle = platform::CreateGameWindow("Tervane", "Tervane", platform::WS_POPUP);
  platform::ShowGameWindow(MainWindowHandle);
  platform::UpdateGameWindow(MainWindowHandle);

  InitDisplay(MainWindowHandle);
  // The last step of display set-up: the splash mode, which loads every
  // screen of GameScreenModes and returns when loading is done. Then input
  // and idle frames reach the current mode.
  SwitchMode(&InitMode);
  StartupComplete = true;
  DispatchEnabled = true;
  for (;;) MainLoopStep();
}
