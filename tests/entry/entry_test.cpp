// The test programs' entry as ctest sees it: ctest counts a test as skipped
// only by the line "Test skipped: ..." (tests/CMakeLists.txt), and the test
// command fails on any skip it does not expect.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <string>

namespace {

struct ProgramRun {
  int status = -1;
  std::string output;
};

ProgramRun RunBrokenSetUp(const std::string& filter) {
  std::string command = std::string("'") + TERVANE_BROKEN_SETUP + "' --gtest_filter=" + filter + " 2>&1";
  ProgramRun run;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return run;
  char buffer[512];
  while (size_t got = fread(buffer, 1, sizeof buffer, pipe)) run.output.append(buffer, got);
  int status = pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

// Guards against a suite whose set-up failed passing as skipped (its tests
// never ran, and ctest would count them as passed), and against a real skip
// going unreported.
TEST(TestEntry, FailedSetUpFailsWhileASkipIsReportedAsOne) {
  ProgramRun broken = RunBrokenSetUp("BrokenSetUp.*");
  EXPECT_EQ(broken.status, 1) << broken.output;
  EXPECT_EQ(broken.output.find("Test skipped:"), std::string::npos) << broken.output;
  EXPECT_NE(broken.output.find("BrokenSetUp.NeverRuns did not run: its suite's set-up failed"), std::string::npos)
      << broken.output;

  ProgramRun skipped = RunBrokenSetUp("SkipsItself.*");
  EXPECT_EQ(skipped.status, 0) << skipped.output;
  EXPECT_NE(skipped.output.find("Test skipped: SkipsItself.Skips: skipped on purpose\n"), std::string::npos)
      << skipped.output;
}

}  // namespace
