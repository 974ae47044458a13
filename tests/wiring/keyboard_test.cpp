#include <gtest/gtest.h>
#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>

#include "program_fixture.h"
#include "windows/cd/reminder_dialog.h"

namespace {

struct Running : ProgramFixture {
  Running() { start(); }
};

}  // namespace

TEST(Keyboard, EnterPressesTheRemindersOk) {
  Running r;
  TForm7& reminder = *r.forms().Form7;
  reminder.show();
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QApplication::sendEvent(reminder.CheckBox1, &enter);
  EXPECT_TRUE(reminder.isHidden());
}
