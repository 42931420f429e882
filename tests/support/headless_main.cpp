// The test programs' entry: tests run headless on SDL's dummy video and
// audio drivers unless the environment asks for others, each test process in
// a scratch folder of its own (tests run side by side, and some write files
// such as "Error.rep" where they stand).
//
// A test that skips itself prints one line starting "Test skipped:", which
// is what ctest counts as a skip (the test command then fails on any skip it
// does not expect). A suite whose set-up failed is a failure: GoogleTest
// marks its tests skipped, but they get no such line and the program ends
// with status 1.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/scratch_folder.h"

namespace {

std::filesystem::path g_scratch;

class SkipReporter : public testing::EmptyTestEventListener {
  void OnTestEnd(const testing::TestInfo& test) override {
    const testing::TestResult& result = *test.result();
    if (!result.Skipped()) return;
    const testing::TestSuite* suite = testing::UnitTest::GetInstance()->current_test_suite();
    if (suite != nullptr && suite->ad_hoc_test_result().Failed()) {
      std::printf("%s.%s did not run: its suite's set-up failed\n", test.test_suite_name(), test.name());
      return;
    }
    std::string reason;
    for (int i = 0; i < result.total_part_count(); ++i) {
      if (result.GetTestPartResult(i).skipped()) reason = result.GetTestPartResult(i).message();
    }
    reason = reason.substr(0, reason.find('\n'));
    std::printf("Test skipped: %s.%s: %s\n", test.test_suite_name(), test.name(), reason.c_str());
    std::fflush(stdout);
  }
};

}  // namespace

const std::filesystem::path& testing_support::ProcessScratchFolder() { return g_scratch; }

int main(int argc, char** argv) {
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  ::testing::InitGoogleTest(&argc, argv);
  testing::UnitTest::GetInstance()->listeners().Append(new SkipReporter);

  std::string scratch = (std::filesystem::temp_directory_path() / "tervane-test-XXXXXX").string();
  if (mkdtemp(scratch.data()) == nullptr || chdir(scratch.c_str()) != 0) {
    std::fprintf(stderr, "cannot make the scratch folder %s\n", scratch.c_str());
    return 1;
  }
  g_scratch = scratch;
  int result = RUN_ALL_TESTS();
  std::error_code ignored;
  std::filesystem::current_path("/", ignored);
  std::filesystem::remove_all(g_scratch, ignored);
  return result;
}
