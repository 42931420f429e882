#include "shell/screen_modes.h"

#include <initializer_list>

ScreenModes GameScreenModes;

namespace {

std::vector<tmode*> Present(std::initializer_list<tmode*> modes) {
  std::vector<tmode*> present;
  for (tmode* mode : modes) {
    if (mode != nullptr) present.push_back(mode);
  }
  return present;
}

}  // namespace

std::vector<tmode*> ModesInPreloadOrder(const ScreenModes& modes) {
  return Present({modes.message, modes.newRecord, modes.finish, modes.help, modes.options, modes.failure,
                  modes.scores, modes.mapSelection, modes.main});
}

std::vector<tmode*> ModesInLoadOrder(const ScreenModes& modes) {
  return Present({modes.main, modes.mapSelection, modes.scores, modes.message, modes.newRecord, modes.finish,
                  modes.help, modes.options, modes.failure});
}
