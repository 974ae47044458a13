// The window base as the desktop drives it: activation, and errors in every
// way a handler is reached, each ending in an error box with the program going on.
#include <gtest/gtest.h>
#include <QApplication>
#include <QCloseEvent>
#include <QPushButton>
#include <stdexcept>

#include "program/form.h"
#include "program/guarded_application.h"
#include "program_fixture.h"

namespace {

class ProbeForm : public Form {
 public:
  explicit ProbeForm(Program& program) : Form(program, "Probe", QSize(200, 100)) {
    Button1 = button("Button1", "&Go", {}, QRect(8, 8, 75, 25));
    Button1->installEventFilter(this);
    handle(Button1, &QPushButton::clicked, [this] { onClick(); });
  }

  void FormActivate() override { ++activations; }
  void FormClose() override { onClose(); }
  bool FormEventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::KeyPress) onKey();
    return false;
  }
  void paintEvent(QPaintEvent*) override { onPaint(); }

  QPushButton* Button1;
  int activations = 0;
  std::function<void()> onClick = [] {};
  std::function<void()> onClose = [] {};
  std::function<void()> onKey = [] {};
  std::function<void()> onPaint = [] {};
};

[[noreturn]] void fail() { throw std::runtime_error("Device not ready"); }

struct FormTest : ::testing::Test {
  FormTest() { p.ui.clear(); }
  void activate(QWidget& window) {
    QEvent activation(QEvent::WindowActivate);
    QApplication::sendEvent(&window, &activation);
  }
  // What reaches the program's error boxes.
  QStringList errors() const {
    QStringList texts;
    for (const UiDouble::Shown& box : p.ui.shown())
      if (box.box == UiDouble::Box::Error) texts << box.text;
    return texts;
  }

  ProgramFixture p;
  Program& program = p.start().program;
  ProbeForm one{program};
  ProbeForm other{program};
};

TEST_F(FormTest, ActivationCountsOnlyWhenItMovesBetweenTheProgramsWindowsOrAWindowIsShown) {
  one.show();
  activate(one);
  EXPECT_EQ(one.activations, 1) << "shown";
  // Away to another program and back: the window has the only activation.
  activate(one);
  EXPECT_EQ(one.activations, 1) << "back from another program";
  activate(other);
  activate(one);
  EXPECT_EQ(one.activations, 2) << "from another of the program's windows";
  one.hide();
  one.show();
  activate(one);
  EXPECT_EQ(one.activations, 3) << "shown again";
}

TEST_F(FormTest, AnErrorInAnyHandlerEndsInAnErrorBoxAndTheWindowGoesOn) {
  one.onClick = fail;
  one.Button1->click();
  one.onKey = fail;
  QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier);
  QApplication::sendEvent(one.Button1, &key);
  EXPECT_EQ(errors(), QStringList({"Device not ready", "Device not ready"}));

  one.onClick = [] {};
  one.Button1->click();
  EXPECT_EQ(errors().size(), 2) << "the window still works";
}

TEST_F(FormTest, AFailingPaintIsReportedOnceAfterThePaint) {
  int paints = 0;
  one.onPaint = [&] {
    ++paints;
    EXPECT_TRUE(errors().isEmpty()) << "no box inside a paint";
    fail();
  };
  one.show();
  QApplication::processEvents();
  one.repaint();
  QApplication::processEvents();
  ASSERT_GE(paints, 2);
  EXPECT_EQ(errors(), QStringList({"Device not ready"}));
}

TEST_F(FormTest, AWindowWhoseCloseHandlerFailsStillClosesAfterTheErrorBox) {
  one.onClose = fail;
  one.show();
  EXPECT_TRUE(one.close());
  EXPECT_TRUE(one.isHidden());
  EXPECT_EQ(errors(), QStringList({"Device not ready"}));
}

TEST_F(FormTest, AWindowThatLetGoRunsNoMoreHandlers) {
  one.onClick = fail;
  one.letGo();
  one.Button1->click();
  EXPECT_TRUE(errors().isEmpty());
}

class Faulty : public QObject {
 protected:
  bool event(QEvent*) override { fail(); }
};

TEST(GuardedApplication, AnErrorThatSlipsPastTheWindowsIsShownAfterwardsAndTheLoopGoesOn) {
  auto* application = qobject_cast<GuardedApplication*>(qApp);
  ASSERT_NE(application, nullptr);
  QStringList shown;
  application->onError([&](const QString& error) { shown << error; });
  Faulty faulty;
  QCoreApplication::postEvent(&faulty, new QEvent(QEvent::User));
  QCoreApplication::processEvents();
  QCoreApplication::processEvents();
  application->onError(nullptr);
  EXPECT_EQ(shown, QStringList({"Device not ready"}));
}

}  // namespace
