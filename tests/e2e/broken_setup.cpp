// A test program on the test programs' own entry (support/headless_main.cpp)
// with one suite that cannot set up and one test that skips itself. The
// entry test runs it to see that only the second counts as a skip.
#include <gtest/gtest.h>

namespace {

class BrokenSetUp : public testing::Test {
 protected:
  static void SetUpTestSuite() { FAIL() << "set-up broken on purpose"; }
};

TEST_F(BrokenSetUp, NeverRuns) {}

TEST(SkipsItself, Skips) { GTEST_SKIP() << "skipped on purpose"; }

}  // namespace
