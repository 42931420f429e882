#include "graphics/graphics_host.h"

#include "platform/end_without_shell.h"

#include <cstdio>
#include <cstdlib>

namespace {

class NoShell final : public GraphicsHost {
 public:
  void KeepWindowAlive() override {}
  void FatalError(const std::string& message) override { platform::EndWithoutShell(message); }
};

NoShell g_noShell;

}  // namespace

GraphicsHost* GraphicsHostOutput = nullptr;

GraphicsHost& HostOfGraphics() { return GraphicsHostOutput != nullptr ? *GraphicsHostOutput : g_noShell; }

void GraphicsFatalError(const std::string& message) {
  HostOfGraphics().FatalError(message);
  platform::EndWithoutShell(message);
}

