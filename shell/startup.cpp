#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "graphics/display.h"
#include "platform/files.h"
#include "platform/random.h"
#include "platform/window.h"
#include "screens/scores_file.h"
#include "shell/mainloop.h"

namespace {

// Reads the command line. "-reg" and "-unreg" install or remove the
// program group and end the process; "--windowed" asks for an 800 x 600
// window instead of the full screen. Any other single argument is a normal
// start.
void HandleCommandLine(int argc, char** argv) {
  if (argc != 2) return;
  if (std::strcmp(argv[1], "--windowed") == 0) platform::SetWindowedRequest(true);
  // The program-group installer is called here for "-reg" and "-unreg".
}

}  // namespace

int RunGame(int argc, char** argv) {
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
  for (;;) MainLoopStep();
}
