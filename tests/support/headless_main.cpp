// The test programs' entry: tests run headless on SDL's dummy video and
// audio drivers unless the environment asks for others, each test process in
// a scratch folder of its own (tests run side by side, and some write files
// such as "Error.rep" where they stand).
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

int main(int argc, char** argv) {
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  ::testing::InitGoogleTest(&argc, argv);

  std::string scratch = (std::filesystem::temp_directory_path() / "tervane-test-XXXXXX").string();
  bool haveScratch = mkdtemp(scratch.data()) != nullptr && chdir(scratch.c_str()) == 0;
  int result = RUN_ALL_TESTS();
  if (haveScratch) {
    std::error_code ignored;
    std::filesystem::remove_all(scratch, ignored);
  }
  return result;
}
