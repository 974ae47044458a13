#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QSettings>

#include "cd_player_fixture.h"
#include "services/media_device/disc_toc.h"
#include "windows/cd/reminder_dialog.h"
#include "windows/cd/standard_cd_player_window.h"
#include "windows/cd/status_checking_dialog.h"

namespace {

// Runs the status checking dialog: the script chooses, then presses a button.
void setStatus(CdPlayerFixture& p, std::function<void(TForm6&)> script) {
  p.ui.onModal([script](QWidget* window) { script(*static_cast<TForm6*>(window)); });
  p.cd->SetStatusChecking1->trigger();
}

void choose(TForm6& dialog, int item) { dialog.RadioGroup1Items->button(item)->click(); }

QStringList rightClickTexts(CdPlayerFixture& p) {
  p.ui.clear();
  p.cd->FormMouseDown(Qt::RightButton);
  return p.ui.texts();
}

}  // namespace

TEST(StatusDialog, FiveSecondsForThisRunOnlyAndBackToNormalAtTheNextOpening) {
  CdPlayerFixture p({60, 60});
  p.ui.expectQuestion(Answer::No);
  setStatus(p, [](TForm6& dialog) {
    choose(dialog, 4);
    dialog.BitBtn2->click();
  });
  EXPECT_EQ(p.cd->Timer1->Interval(), 5000);
  EXPECT_EQ(p.cd->Timer2->Interval(), 4000);
  EXPECT_EQ(p.ui.shown()[0].caption, "Corvela Pro CD Player");
  EXPECT_EQ(p.ui.texts().last(), "Status temporarily set at 5 seconds.");
  EXPECT_EQ(p.state().settings.Status, 0) << "the next run starts normal";
  EXPECT_EQ(rightClickTexts(p), QStringList{"Status Checking Every 5 Seconds"});

  p.ui.clear();
  setStatus(p, [](TForm6& dialog) {
    EXPECT_TRUE(dialog.RadioGroup1Items->button(0)->isChecked());
    dialog.BitBtn2->click();
  });
  EXPECT_EQ(p.ui.texts(), QStringList{"Corvela Pro temporary status checking of 5 second(s)\rhas "
                                      "now returned to normal status checking..."});
  EXPECT_EQ(p.cd->Timer1->Interval(), 100);
  EXPECT_EQ(p.cd->Timer2->Interval(), 3000);
  EXPECT_EQ(rightClickTexts(p), QStringList{"Status Checking Normal"});
}

TEST(StatusDialog, YesKeepsTheSettingForEveryRun) {
  CdPlayerFixture p({60, 60});
  p.ui.expectQuestion(Answer::Yes);
  setStatus(p, [](TForm6& dialog) {
    choose(dialog, 9);
    dialog.BitBtn2->click();
  });
  EXPECT_EQ(p.ui.texts().last(), "Status set at 10 seconds every time you run Corvela Pro.");
  EXPECT_EQ(p.cd->Timer1->Interval(), 10000);
  EXPECT_EQ(p.cd->Timer2->Interval(), 9000);
  p.corvela->store.SaveSettings();
  EXPECT_EQ(
      QSettings(IniSettingsBackend::defaultPath(), QSettings::IniFormat).value("Status").toInt(),
      9);
}

TEST(StatusDialog, AbortRestoresTheSettingAndTheDisplayTimerOnly) {
  CdPlayerFixture p({60, 60});
  Settings& settings = p.state().settings;
  settings.Status = settings.CurrentStatus = 2;
  setStatus(p, [](TForm6& dialog) {
    choose(dialog, 6);
    dialog.BitBtn1->click();
  });
  EXPECT_EQ(settings.Status, 2);
  EXPECT_EQ(settings.CurrentStatus, 2);
  EXPECT_EQ(p.cd->Timer1->Interval(), 2000);
  EXPECT_EQ(p.cd->Timer2->Interval(), 3000) << "unchanged";
  EXPECT_TRUE(p.ui.shown().empty()) << "no question after Abort";
}

TEST(StatusDialog, TheEjectionCheckIsStoredAtOnce) {
  CdPlayerFixture p({60, 60});
  setStatus(p, [](TForm6& dialog) {
    EXPECT_TRUE(dialog.CheckBox1->isChecked());
    dialog.CheckBox1->click();
    dialog.BitBtn2->click();
  });
  EXPECT_FALSE(p.state().settings.PlayCheck);
  EXPECT_EQ(
      QSettings(IniSettingsBackend::defaultPath(), QSettings::IniFormat).value("PlayCheck").toInt(),
      0);
}

TEST(StatusTick, ADiscOfAnotherLengthIsEjectedWithoutAMessage) {
  CdPlayerFixture p({60, 60});
  p.load();
  p.devices.insertDisc("virtual", FakeMediaDeviceFactory::audioDisc({60, 61}));
  p.ui.clear();
  p.cd->Timer2Timer();
  EXPECT_FALSE(p.state().DiscLoaded);
  EXPECT_FALSE(p.cd->Image1->isHidden());
  EXPECT_TRUE(p.cd->Button7->isEnabled());
  EXPECT_EQ(p.ui.applicationTitle(), "CD ejected");
  EXPECT_TRUE(p.ui.shown().empty());
}

TEST(StatusTick, TheSameDiscKeepsItsPlaceAndTheTransportComesBack) {
  CdPlayerFixture p({60, 60});
  p.load();
  for (QWidget* control : {p.cd->Button1, p.cd->Button2, p.cd->Button8, p.cd->Button13})
    control->setEnabled(false);
  p.cd->PlayaSingleCDTrack1->setEnabled(false);
  p.cd->Timer2Timer();
  EXPECT_TRUE(p.state().DiscLoaded);
  for (QWidget* control : {p.cd->Button1, p.cd->Button2, p.cd->Button8, p.cd->Button13})
    EXPECT_TRUE(control->isEnabled()) << control->objectName().toStdString();
  EXPECT_TRUE(p.cd->PlayaSingleCDTrack1->isEnabled());
}

TEST(StatusTick, AHandBackWithAChangedDiscWarnsAndEjects) {
  CdPlayerFixture p({60, 60});
  p.load();
  p.state().ReturnedToCdPlayer = true;
  p.cd->Button1->setEnabled(false);
  p.cd->Timer2Timer();
  EXPECT_FALSE(p.state().ReturnedToCdPlayer);
  EXPECT_FALSE(p.cd->Button1->isEnabled()) << "the hand-back tick does nothing more";
  EXPECT_TRUE(p.ui.shown().size() == 0u);

  p.state().ReturnedToCdPlayer = true;
  p.state().DiscChanged = true;
  p.cd->Timer2Timer();
  EXPECT_EQ(p.ui.texts(), QStringList{"You appear to have either removed the\rCD or changed it for "
                                      "another one!\r\rPlease now take the \"Load\" option"});
  EXPECT_FALSE(p.state().DiscLoaded);
  EXPECT_FALSE(p.cd->Timer2->Enabled());
}

TEST(NormalCdPlayer, TickingStopsAllTicksAndLeavingItBringsTheTransportBack) {
  CdPlayerFixture p({60, 60, 60});
  p.load();
  p.cd->Button1Click(p.cd->Button1);
  p.ui.onModal([&](QWidget* window) {
    EXPECT_EQ(window, p.forms().Form8.get());
    EXPECT_EQ(p.cd->Timer1->Interval(), 0);
    EXPECT_EQ(p.cd->Timer2->Interval(), 0);
    EXPECT_EQ(p.cd->windowTitle(), "Corvela Pro - CD Player - Status checking OFF");
    EXPECT_EQ(p.ui.applicationTitle(), "Status checking off");
    EXPECT_FALSE(p.cd->MediaPlayer1->isOpen());
    EXPECT_FALSE(p.cd->TrackBoxes[1]->isEnabled());
    EXPECT_EQ(rightClickTexts(p), QStringList{"Status Checking Is Off"});
    p.ui.clear();
    p.forms().Form8->BitBtn1->click();
  });
  p.cd->CheckBox3->setChecked(true);

  EXPECT_EQ(p.ui.texts(), QStringList{"Corvela Pro Status checking is set at normal."});
  EXPECT_FALSE(p.cd->CheckBox3->isChecked());
  EXPECT_EQ(p.cd->windowTitle(), "Corvela Pro - CD Player");
  EXPECT_FALSE(p.cd->Button1->isEnabled());
  EXPECT_FALSE(p.cd->Button8->isEnabled());
  EXPECT_EQ(p.cd->Timer1->Interval(), 100);
  EXPECT_EQ(p.cd->Timer2->Interval(), 3000);
  ASSERT_TRUE(p.cd->Timer2->Enabled());

  p.cd->Timer2Timer();
  EXPECT_TRUE(p.cd->Button1->isEnabled());
  EXPECT_TRUE(p.cd->CheckBox3->isEnabled());
  EXPECT_TRUE(p.cd->TrackBoxes[3]->isEnabled());
  EXPECT_FALSE(p.cd->TrackBoxes[3]->isChecked()) << "the hand-over unticked them";
  p.cd->Button9Click();
  p.cd->Button1Click(p.cd->Button1);
  EXPECT_EQ(p.cd->MediaPlayer1->mode(), DeviceMode::Playing);
}

TEST(NormalCdPlayer, LeavingItNamesTheChosenInterval) {
  CdPlayerFixture p({60, 60});
  p.load();
  p.state().settings.Status = 3;
  p.ui.onModal([&](QWidget*) { p.forms().Form8->close(); });
  p.cd->CheckBox3->setChecked(true);
  EXPECT_EQ(p.ui.texts().last(), "Corvela Pro Status checking is set at: 4 seconds.");
  EXPECT_EQ(p.cd->Timer1->Interval(), 4000);
  EXPECT_EQ(p.cd->Timer2->Interval(), 4000);
}

// The standard player leaves the drive closed until the next status tick;
// the checks that eject (a changed disc, a disc gone while playing) may run
// Eject before it, and it must finish.
TEST(NormalCdPlayer, EjectRightAfterLeavingItReturnsToTheStateWithoutADisc) {
  CdPlayerFixture p({60, 60});
  p.load();
  p.ui.onModal([&](QWidget*) { p.forms().Form8->close(); });
  p.cd->CheckBox3->setChecked(true);
  p.ui.clear();
  p.cd->handleRequest([&] { p.cd->Button8Click(); });
  EXPECT_TRUE(p.ui.texts().isEmpty()) << p.ui.texts().join(" / ").toStdString();
  EXPECT_TRUE(p.cd->Button7->isEnabled()) << "Load is offered again";
  EXPECT_TRUE(p.devices.drive("virtual")->doorOpen);
  EXPECT_EQ(p.ui.applicationTitle(), "CD ejected");
}

TEST(StandardCdPlayer, StopThenPlayStartsAtTheFirstTrack) {
  CdPlayerFixture p({30, 30, 30});
  p.load();
  p.ui.onModal([&](QWidget*) {
    TForm8& player = *p.forms().Form8;
    using Button = TForm8::CDPlayerButton;
    EXPECT_FALSE(player.CDPlayerPlay->isHidden());
    player.CDPlayerClick(Button::Play);
    p.devices.advance(2000);
    player.CDPlayerClick(Button::Next);
    EXPECT_EQ(unpackTmsf(player.Device->position()).track, 2);
    p.devices.advance(5000);
    player.CDPlayerClick(Button::Pause);
    EXPECT_EQ(player.Device->mode(), DeviceMode::Stopped);
    player.CDPlayerClick(Button::Pause);
    EXPECT_EQ(player.Device->mode(), DeviceMode::Playing);
    player.CDPlayerClick(Button::Stop);
    player.CDPlayerClick(Button::Play);
    const Tmsf at = unpackTmsf(player.Device->position());
    EXPECT_EQ(at.track, 1);
    EXPECT_EQ(at.seconds, 0);
    player.BitBtn1Click();
    EXPECT_EQ(player.Device->mode(), DeviceMode::NotReady) << "stopped and closed";
  });
  p.cd->CheckBox3->setChecked(true);
}

TEST(StandardCdPlayer, AnEmptyDriveIsReportedAndTheCdPlayerFindsTheDiscGone) {
  CdPlayerFixture p({60, 60});
  p.load();
  p.devices.insertDisc("virtual", DiscToc{});
  p.ui.onModal([&](QWidget* window) { EXPECT_TRUE(window->isHidden()) << "closed at activation"; });
  p.cd->CheckBox3->setChecked(true);
  EXPECT_EQ(
      p.ui.texts(),
      (QStringList{"No CD Disk found in drive.\r\rEnsure that an Audio CD is in the CD Drive.",
                   "Corvela Pro Status checking is set at normal."}));
  p.cd->Timer2Timer();
  EXPECT_FALSE(p.state().DiscLoaded);
}

TEST(Reminder, RandomPlayStoredOnIsRemindedAsOn) {
  ProgramFixture p;
  p.start();
  p.state().settings.Random = true;
  QString reminder;
  p.ui.onModal([&](QWidget* window) { reminder = static_cast<TForm7*>(window)->Label2->text(); });
  QEvent activate(QEvent::WindowActivate);
  QApplication::sendEvent(p.forms().Form1.get(), &activate);
  EXPECT_TRUE(reminder.endsWith("Corvela Pro RANDOM play mode is ON"));
}
