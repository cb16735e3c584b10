// Entry point of the widget tests: one Qt platform (offscreen, from the test's environment)
// for the whole run. Death tests start the program afresh, so each has its own.
#include <gtest/gtest.h>

#include "tests/ui/qt_test_support.h"

namespace quorvel::testing {
namespace {
QtPlatform* platform = nullptr;
}  // namespace

QtPlatform& TestPlatform() { return *platform; }

}  // namespace quorvel::testing

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  // The tests' environment names the offscreen platform; listing the tests at build time
  // runs without it.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  quorvel::QtPlatform platform(argc, argv);
  quorvel::testing::platform = &platform;
  return RUN_ALL_TESTS();
}
