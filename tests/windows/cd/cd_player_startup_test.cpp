#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QSettings>

#include "platform/timer.h"
#include "program_fixture.h"
#include "windows/cd/cd_player_window.h"
#include "windows/cd/reminder_dialog.h"
#include "windows/viewer/graphics_viewer_window.h"

namespace {

const QString kLargeFonts =
    "Sorry, Corvela Pro cannot run with \"Large Fonts\" setting.\r\rIf you wish to run Corvela "
    "Pro, you must go to \"Display Properties\"\r(to get there, right click on the desktop and "
    "take the \"Properties\" option) then click the tab called \"Settings\" and change \"Font "
    "Size\" to \"Small Fonts\".";

int storedActive() {
  return QSettings(IniSettingsBackend::defaultPath(), QSettings::IniFormat)
      .value("Active", -1)
      .toInt();
}

}  // namespace

TEST(LargeFonts, TheDesktopSettingOf120EndsTheProgramBeforeItsWindowShows) {
  ProgramFixture p;
  p.platform.display.dpi = "120";
  try {
    p.start();
    FAIL() << "the program went on";
  } catch (const ProcessHalted&) {
  }
  EXPECT_EQ(p.ui.texts(), QStringList{kLargeFonts});
  EXPECT_EQ(p.ui.shown().front().box, UiDouble::Box::Error);
}

TEST(LargeFonts, AnUnreachableDesktopSettingEndsTheProgramWithoutAMessage) {
  ProgramFixture p;
  p.platform.display.dpi = std::nullopt;
  EXPECT_THROW(p.start(), ProcessHalted);
  EXPECT_TRUE(p.ui.shown().empty());
}

TEST(LargeFonts, AnyOtherDesktopSettingSkipsTheScreenTest) {
  ProgramFixture p;
  p.platform.display.dpi = "96";
  p.platform.display.pixels = 120;
  p.start();
  EXPECT_TRUE(p.ui.shown().empty());
  EXPECT_FALSE(p.ui.terminating());
}

TEST(LargeFonts, AnUnsetDesktopSettingAndA120ScreenEndTheProgramAfterStartUp) {
  ProgramFixture p;
  p.platform.display.pixels = 120;
  p.start();
  EXPECT_EQ(p.ui.texts(), QStringList{kLargeFonts});
  EXPECT_TRUE(p.ui.terminating());
  EXPECT_EQ(p.ui.applicationTitle(), "CD not yet loaded") << "start-up completes";
}

TEST(SingleInstance, ASecondCopyWarnsSavesActiveOffWakesTheRunningCopyAndEnds) {
  ProgramFixture p;
  p.platform.instanceMarker.markerExists = true;
  p.platform.instanceMarker.answers = true;
  try {
    p.start();
    FAIL() << "the second copy went on";
  } catch (const ProcessHalted& halted) {
    EXPECT_EQ(halted.exitCode, 0);
  }
  EXPECT_EQ(p.ui.texts(), QStringList{"Corvela Pro is already running!\r\rOnly one instance of "
                                      "Corvela Pro is permitted.\r\rWe will now switch to the "
                                      "\"running\" copy."});
  EXPECT_EQ(p.platform.instanceMarker.activateRequestsSent, 1);
  EXPECT_EQ(storedActive(), 0);
  EXPECT_FALSE(p.platform.instanceMarker.claimed);
}

TEST(SingleInstance, AMarkerNobodyAnswersIsTakenOverAndTheRunningCopyCanBeWoken) {
  ProgramFixture p;
  p.platform.instanceMarker.markerExists = true;
  p.start();
  EXPECT_TRUE(p.ui.shown().empty());
  ASSERT_TRUE(p.platform.instanceMarker.claimed);
  EXPECT_EQ(storedActive(), 1);

  TForm1& cd = *p.forms().Form1;
  cd.showMinimized();
  p.platform.instanceMarker.onActivate();
  EXPECT_TRUE(cd.isVisible());
  EXPECT_FALSE(cd.isMinimized());
}

TEST(SingleInstance, TheRunningCopyBringsBackTheMainWindowThatWasShowingAndNoOther) {
  ProgramFixture p;
  p.start();
  TForm9& viewer = *p.forms().Form9;
  viewer.showMinimized();
  p.platform.instanceMarker.onActivate();
  EXPECT_TRUE(viewer.isVisible());
  EXPECT_FALSE(viewer.isMinimized());
  EXPECT_TRUE(p.forms().Form1->isHidden());
}

TEST(RivalPlayers, BothMediaPlayersGiveOneWarningAndOnlyTheNewerIsClosed) {
  ProgramFixture p;
  p.platform.windowFinder.running = {"MEDIA PLAYER 2", "MPLAYER", "SJE_CDPLAYERCLASS"};
  p.start();
  EXPECT_EQ(
      p.ui.texts(),
      (QStringList{"The Windows Media Player is running.\r\rCorvela Pro will now close it down.",
                   "The Windows CD Player is running.\r\rCorvela Pro will now close it down."}));
  EXPECT_EQ(p.platform.windowFinder.askedToClose,
            (QStringList{"MEDIA PLAYER 2", "SJE_CDPLAYERCLASS"}));
  EXPECT_EQ(storedActive(), 1) << "start-up ends with Active on";
}

TEST(CdPlayerActivation, TheReminderShowsAtTheFirstActivationOnly) {
  ProgramFixture p;
  p.start();
  TForm1& cd = *p.forms().Form1;
  QString reminder;
  p.ui.onModal([&](QWidget* window) { reminder = static_cast<TForm7*>(window)->Label2->text(); });
  QEvent activate(QEvent::WindowActivate);
  QApplication::sendEvent(&cd, &activate);
  QApplication::sendEvent(&cd, &activate);
  EXPECT_TRUE(reminder.startsWith("Reminder: you elected last time to start Corvela Pro\n"));
  EXPECT_TRUE(reminder.endsWith("RANDOM play mode is OFF"));
}

TEST(CdPlayerShutdown, ExitAsksAboutTheClipboardAndRandomPlayAndStoresActiveOff) {
  ProgramFixture p;
  p.start();
  TForm1& cd = *p.forms().Form1;
  cd.show();
  EXPECT_EQ(storedActive(), 1);
  QApplication::clipboard()->setText("picture");
  p.state().ClipboardDataPresent = true;
  p.state().RandomUsedThisRun = true;
  p.ui.expectQuestion(Answer::Yes);
  p.ui.expectQuestion(Answer::Yes);

  cd.Exit1->trigger();

  ASSERT_EQ(p.ui.shown().size(), 2u);
  EXPECT_EQ(p.ui.shown()[0].caption, "Clipboard Data Present");
  EXPECT_EQ(p.ui.shown()[1].caption, "Corvela Pro CD Player");
  EXPECT_TRUE(QApplication::clipboard()->text().isEmpty());
  EXPECT_FALSE(cd.Timer1->Enabled());
  EXPECT_TRUE(p.ui.terminating());
  QSettings stored(IniSettingsBackend::defaultPath(), QSettings::IniFormat);
  EXPECT_EQ(stored.value("Active").toInt(), 0);
  EXPECT_EQ(stored.value("Random").toInt(), 1);
}

TEST(CdPlayerShutdown, ClosingReleasesTheRunningCopyMarker) {
  ProgramFixture p;
  p.start();
  EXPECT_TRUE(p.platform.instanceMarker.claimed);
  p.corvela.reset();
  EXPECT_FALSE(p.platform.instanceMarker.claimed);
}
