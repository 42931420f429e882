#include "platform/shell_folders.h"

#include <cstdlib>

namespace platform {
namespace {

// Reads an environment variable that holds an absolute path, without its
// trailing "/" (so "/" itself becomes empty); false for anything else.
bool AbsolutePathVariable(const char* name, std::string& path) {
  const char* value = std::getenv(name);
  if (value == nullptr || value[0] != '/') return false;
  path = value;
  while (!path.empty() && path.back() == '/') path.pop_back();
  return true;
}

}  // namespace

std::string ProgramsFolder() {
  std::string dataHome;
  if (!AbsolutePathVariable("XDG_DATA_HOME", dataHome)) {
    std::string home;
    if (!AbsolutePathVariable("HOME", home)) return {};
    dataHome = home + "/.local/share";
  }
  return dataHome + "/applications";
}

}  // namespace platform
