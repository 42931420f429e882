// The test programs' entry: tests run headless on SDL's dummy video and
// audio drivers unless the environment asks for others, each test process in
// a scratch folder of its own (tests run side by side, and some write files
// such as "Error.rep" where they stand).
//
// A test that skips itself prints one line starting "Test skipped:", which
// is what ctest counts as a skip (the test command then fails on any skip it
// does not expect). A suite whose set-up failed is a failure: GoogleTest
// marks its tests skipped, but they get no such line, the program ends with
// status 1, and GoogleTest's own "[  SKIPPED ]" lines are left out of the
// output (ctest's test discovery would count them as a skip whatever else
// the test says).
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "support/scratch_folder.h"

namespace {

std::filesystem::path g_scratch;

bool SuiteSetUpFailed() {
  const testing::TestSuite* suite = testing::UnitTest::GetInstance()->current_test_suite();
  return suite != nullptr && suite->ad_hoc_test_result().Failed();
}

// GoogleTest's printer, but a test of a suite whose set-up failed is shown
// as failed, and the closing summary (which would list it as skipped) is
// replaced by one line.
class SetUpFailurePrinter : public testing::TestEventListener {
 public:
  explicit SetUpFailurePrinter(testing::TestEventListener* printer) : printer_(printer) {}

  void OnTestProgramStart(const testing::UnitTest& unit) override { printer_->OnTestProgramStart(unit); }
  void OnTestIterationStart(const testing::UnitTest& unit, int i) override { printer_->OnTestIterationStart(unit, i); }
  void OnEnvironmentsSetUpStart(const testing::UnitTest& unit) override { printer_->OnEnvironmentsSetUpStart(unit); }
  void OnEnvironmentsSetUpEnd(const testing::UnitTest& unit) override { printer_->OnEnvironmentsSetUpEnd(unit); }
  void OnTestSuiteStart(const testing::TestSuite& suite) override { printer_->OnTestSuiteStart(suite); }
  void OnTestStart(const testing::TestInfo& test) override { printer_->OnTestStart(test); }
  void OnTestPartResult(const testing::TestPartResult& part) override { printer_->OnTestPartResult(part); }
  void OnTestEnd(const testing::TestInfo& test) override {
    if (test.result()->Skipped() && SuiteSetUpFailed()) {
      std::printf("[  FAILED  ] %s.%s (its suite's set-up failed)\n", test.test_suite_name(), test.name());
      setUpFailed_ = true;
      return;
    }
    printer_->OnTestEnd(test);
  }
  void OnTestSuiteEnd(const testing::TestSuite& suite) override { printer_->OnTestSuiteEnd(suite); }
  void OnEnvironmentsTearDownStart(const testing::UnitTest& unit) override {
    printer_->OnEnvironmentsTearDownStart(unit);
  }
  void OnEnvironmentsTearDownEnd(const testing::UnitTest& unit) override { printer_->OnEnvironmentsTearDownEnd(unit); }
  void OnTestIterationEnd(const testing::UnitTest& unit, int i) override {
    if (!setUpFailed_) {
      printer_->OnTestIterationEnd(unit, i);
      return;
    }
    std::printf("[==========] FAILED: the set-up of a test suite failed, so its tests did not run\n");
    std::fflush(stdout);
  }
  void OnTestProgramEnd(const testing::UnitTest& unit) override { printer_->OnTestProgramEnd(unit); }

 private:
  std::unique_ptr<testing::TestEventListener> printer_;
  bool setUpFailed_ = false;
};

class SkipReporter : public testing::EmptyTestEventListener {
  void OnTestEnd(const testing::TestInfo& test) override {
    const testing::TestResult& result = *test.result();
    if (!result.Skipped()) return;
    if (SuiteSetUpFailed()) {
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
  testing::TestEventListeners& listeners = testing::UnitTest::GetInstance()->listeners();
  if (testing::TestEventListener* printer = listeners.default_result_printer()) {
    listeners.Append(new SetUpFailurePrinter(listeners.Release(printer)));
  }
  listeners.Append(new SkipReporter);

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
