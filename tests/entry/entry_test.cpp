// The test programs' entry as ctest sees it: ctest counts a test as skipped
// only by the line "Test skipped: ..." (tests/CMakeLists.txt), and the test
// command fails on any skip it does not expect.
#include <gtest/gtest.h>

#include <string>

#include "support/run_command.h"

namespace {

using testing_support::CommandRun;

CommandRun RunBrokenSetUp(const std::string& filter) {
  return testing_support::RunCommand(std::string("'") + TERVANE_BROKEN_SETUP + "' --gtest_filter=" + filter + " 2>&1");
}

// Guards against a suite whose set-up failed passing as skipped (its tests
// never ran, and ctest would count them as passed; ctest's test discovery
// counts GoogleTest's own "[  SKIPPED ]" line as a skip too), and against a
// real skip going unreported.
TEST(TestEntry, FailedSetUpFailsWhileASkipIsReportedAsOne) {
  CommandRun broken = RunBrokenSetUp("BrokenSetUp.*");
  EXPECT_EQ(broken.status, 1) << broken.output;
  EXPECT_EQ(broken.output.find("Test skipped:"), std::string::npos) << broken.output;
  EXPECT_EQ(broken.output.find("[  SKIPPED ]"), std::string::npos) << broken.output;
  EXPECT_NE(broken.output.find("BrokenSetUp.NeverRuns did not run: its suite's set-up failed"), std::string::npos)
      << broken.output;

  CommandRun skipped = RunBrokenSetUp("SkipsItself.*");
  EXPECT_EQ(skipped.status, 0) << skipped.output;
  EXPECT_NE(skipped.output.find("Test skipped: SkipsItself.Skips: skipped on purpose\n"), std::string::npos)
      << skipped.output;
}

}  // namespace
