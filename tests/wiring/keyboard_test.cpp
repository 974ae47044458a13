#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QImage>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QMap>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>

#include "program/form.h"
#include "program_fixture.h"
#include "windows/cd/cd_player_window.h"
#include "windows/cd/reminder_dialog.h"
#include "windows/media/media_player_window.h"
#include "windows/viewer/graphics_viewer_window.h"

namespace {

struct Running : ProgramFixture {
  Running() { start(); }
};

using Claims = QMap<QKeySequence, QStringList>;

void claim(Claims& claims, const QString& text, const QString& who) {
  const QKeySequence key = QKeySequence::mnemonic(text);
  if (!key.isEmpty()) claims[key] << who;
}

// Keys shared by two controls of one place: Alt+letter among the window's
// controls and menu bar titles, and among each menu's items; shortcuts among
// the window's commands.
QStringList clashes(const QString& place, const Claims& claims) {
  QStringList found;
  for (auto claim = claims.cbegin(); claim != claims.cend(); ++claim)
    if (claim.value().size() > 1)
      found << place + " " + claim.key().toString() + ": " + claim.value().join(", ");
  return found;
}

QStringList menuClashes(const QString& place, const QMenu& menu) {
  Claims claims;
  QStringList found;
  for (QAction* item : menu.actions()) {
    claim(claims, item->text(), item->objectName() + " \"" + item->text() + "\"");
    if (item->menu()) found << menuClashes(place + " > " + item->text(), *item->menu());
  }
  return found + clashes(place, claims);
}

// Only what can be used now: a hidden or disabled control takes no key.
bool usable(const Form& window, const QWidget& control) {
  return control.isVisibleTo(&window) && control.isEnabledTo(&window);
}

QStringList windowClashes(const Form& window) {
  const QString place = QString(window.metaObject()->className());
  Claims claims;
  for (const QAbstractButton* control : window.findChildren<QAbstractButton*>())
    if (usable(window, *control))
      claim(claims, control->text(), control->objectName() + " \"" + control->text() + "\"");
  for (const QLabel* label : window.findChildren<QLabel*>())
    if (label->buddy() && usable(window, *label->buddy()))
      claim(claims, label->text(), label->objectName());
  Claims shortcuts;
  for (const QAction* item : window.findChildren<QAction*>())
    if (!item->shortcut().isEmpty()) shortcuts[item->shortcut()] << item->objectName();
  QStringList found = clashes(place + " shortcut", shortcuts);
  for (QAction* title : window.menuBar()->actions()) {
    claim(claims, title->text(), "menu \"" + title->text() + "\"");
    if (title->menu()) found << menuClashes(place + " " + title->text(), *title->menu());
  }
  return found + clashes(place, claims);
}

}  // namespace

// Every window as it starts; the CD player with a disc, which trades Load for
// the track commands; the viewer with a picture listed, which brings Slide Show.
TEST(Keyboard, NoTwoControlsOfOneWindowOrMenuUsableTogetherShareAKey) {
  Running r;
  QStringList found;
  for (const Form* window : r.forms().all()) found << windowClashes(*window);
  r.devices.insertDisc("virtual", FakeMediaDeviceFactory::audioDisc({60, 70}));
  r.forms().Form1->Button7Click();
  ASSERT_TRUE(r.state().DiscLoaded);
  found << windowClashes(*r.forms().Form1);
  QTemporaryDir folder;
  QImage(4, 4, QImage::Format_RGB32).save(folder.filePath("a.bmp"));
  r.forms().Form9->FillWithFiles({folder.filePath("a.bmp")});
  ASSERT_TRUE(r.forms().Form9->CheckBox2->isEnabled());
  found << windowClashes(*r.forms().Form9);
  EXPECT_TRUE(found.isEmpty()) << found.join("\n").toStdString();
}

TEST(Keyboard, EnterPressesTheRemindersOk) {
  Running r;
  TForm7& reminder = *r.forms().Form7;
  reminder.show();
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QApplication::sendEvent(reminder.CheckBox1, &enter);
  EXPECT_TRUE(reminder.isHidden());
}

// Qt shows the keys beside the captions, which stay as they are.
TEST(Keyboard, ExitOpenAndHelpHaveTheDesktopsStandardKeys) {
  Running r;
  Forms& f = r.forms();
  const std::vector<std::pair<QAction*, QKeySequence>> commands = {
      {f.Form1->Exit1, QKeySequence::Quit},
      {f.Form4->Exit1, QKeySequence::Quit},
      {f.Form9->Exit2, QKeySequence::Quit},
      {f.Form1->OpenDiscImage1, QKeySequence::Open},
      {f.Form1->Contents1, QKeySequence::HelpContents},
      {f.Form4->Contents1, QKeySequence::HelpContents},
      {f.Form9->Content1, QKeySequence::HelpContents}};
  for (const auto& [command, key] : commands) {
    EXPECT_EQ(command->shortcut(), QKeySequence(key)) << command->objectName().toStdString();
    EXPECT_FALSE(command->text().contains("Ctrl")) << command->text().toStdString();
  }
}
