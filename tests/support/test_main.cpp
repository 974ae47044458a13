// Every test runs on Qt's offscreen platform with a fresh HOME, XDG_CONFIG_HOME
// and XDG_RUNTIME_DIR of its own, so no test reads or writes a user's settings
// or another test's (also when a whole test program runs in one process).
#include <gtest/gtest.h>
#include <QTemporaryDir>

#include <memory>

#include "program/guarded_application.h"

namespace {

class FreshHomePerTest : public ::testing::EmptyTestEventListener {
  void OnTestStart(const ::testing::TestInfo&) override {
    home_ = std::make_unique<QTemporaryDir>();
    const QString home = home_->path();
    qputenv("HOME", home.toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (home + "/.config").toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", home.toLocal8Bit());
  }
  void OnTestEnd(const ::testing::TestInfo&) override { home_.reset(); }

  std::unique_ptr<QTemporaryDir> home_;
};

}  // namespace

// Under the address sanitizer: the toolkit and GStreamer keep one-time
// allocations until exit, which are not leaks of ours. Weak, so a test that
// checks leaks more finely can give its own options.
extern "C" __attribute__((weak)) const char* __asan_default_options() { return "detect_leaks=0"; }

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  // Helper programs a test starts inherit the same.
  qputenv("ASAN_OPTIONS", "detect_leaks=0");
  GuardedApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::UnitTest::GetInstance()->listeners().Append(new FreshHomePerTest);
  return RUN_ALL_TESTS();
}
