// Every test runs on Qt's offscreen platform with a fresh HOME, XDG_CONFIG_HOME
// and XDG_RUNTIME_DIR of its own, so no test reads or writes a user's settings
// or another test's (also when a whole test program runs in one process).
#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

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

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::UnitTest::GetInstance()->listeners().Append(new FreshHomePerTest);
  return RUN_ALL_TESTS();
}
