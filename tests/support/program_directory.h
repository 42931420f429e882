// The build's program directory (build/game), made current while the object
// lives. Tests open the game's files there the way the game does, by their
// short relative names, so that they pass wherever the checkout lives (the
// pack reader, for one, keeps only 60 characters of a name).
#pragma once

#include <filesystem>

namespace testing_support {

class InProgramDirectory {
 public:
  // Throws when the folder is missing: a test set-up that cannot enter it fails.
  InProgramDirectory() : previous_(std::filesystem::current_path()) {
    std::filesystem::current_path(TERVANE_GAME_DIR);
  }
  ~InProgramDirectory() {
    std::error_code ignored;
    std::filesystem::current_path(previous_, ignored);
  }
  InProgramDirectory(const InProgramDirectory&) = delete;
  InProgramDirectory& operator=(const InProgramDirectory&) = delete;

 private:
  std::filesystem::path previous_;
};

}  // namespace testing_support
