#include "graphics/graphics_host.h"

#include <cstdio>
#include <cstdlib>

namespace {

class NoShell final : public GraphicsHost {
 public:
  void KeepWindowAlive() override {}
  void FatalError(const std::string& message) override { EndWithoutShell(message); }
};

NoShell g_noShell;

}  // namespace

GraphicsHost* GraphicsHostOutput = nullptr;

GraphicsHost& HostOfGraphics() { return GraphicsHostOutput != nullptr ? *GraphicsHostOutput : g_noShell; }

void GraphicsFatalError(const std::string& message) {
  HostOfGraphics().FatalError(message);
  EndWithoutShell(message);
}

void EndWithoutShell(const std::string& message) {
  std::fprintf(stderr, "%s\n", message.c_str());
  std::fflush(stderr);
  std::exit(1);
}
