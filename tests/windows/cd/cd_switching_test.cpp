#include <gtest/gtest.h>
#include <QAction>
#include <QDir>
#include <QTemporaryDir>

#include "cd_player_fixture.h"
#include "platform/program_data.h"
#include "windows/media/media_player_window.h"
#include "windows/viewer/graphics_viewer_window.h"

namespace {

DeviceMode driveMode(CdPlayerFixture& p) {
  std::unique_ptr<MediaDevice> look = p.devices.create(DeviceType::CdAudio);
  look->open("virtual");
  return look->mode();
}

struct PlayingCd : CdPlayerFixture {
  PlayingCd() : CdPlayerFixture({30, 30, 30}) {
    load();
    cd->show();
    cd->Button1Click(cd->Button1);
    run(2000);
  }

  // Another disc goes into the drive while the CD player is hidden.
  void swapDisc() {
    std::unique_ptr<MediaDevice> tray = devices.create(DeviceType::CdAudio);
    tray->open("virtual");
    tray->eject();
    devices.insertDisc("virtual", FakeMediaDeviceFactory::audioDisc({40, 50}));
  }
};

}  // namespace

TEST(CdSwitching, TheMediaPlayerButtonLetsTheDiscPlayOnAndTheMenuItemStopsItFirst) {
  PlayingCd p;
  p.cd->Button12Click();
  EXPECT_EQ(driveMode(p), DeviceMode::Playing);
  EXPECT_FALSE(p.cd->MediaPlayer1->isOpen());
  EXPECT_EQ(p.ui.applicationTitle(), "AVI-MID-MPEG-WAV Player");
  EXPECT_TRUE(p.forms().Form4->isVisible());
  EXPECT_FALSE(p.cd->isVisible());
  EXPECT_FALSE(p.cd->Timer1->Enabled());

  PlayingCd q;
  q.cd->PlayVideoMIDMPEGWAVfiles1->trigger();
  EXPECT_EQ(driveMode(q), DeviceMode::Stopped);
}

TEST(CdSwitching, TheGraphicsViewerAsksWhetherTheDiscShouldPlayOn) {
  PlayingCd p;
  p.ui.expectQuestion(Answer::Yes);
  p.cd->Button6Click();
  EXPECT_EQ(p.ui.shown().back().text, "Do you wish to leave your Audio CD selection(s) playing?");
  EXPECT_EQ(p.ui.shown().back().caption, "Corvela Pro");
  EXPECT_TRUE(p.forms().Form9->isVisible());
  EXPECT_EQ(p.cd->MediaPlayer1->mode(), DeviceMode::Playing);
  EXPECT_TRUE(p.cd->Timer1->Enabled()) << "the time keeps going behind the viewer";

  PlayingCd q;
  q.ui.expectQuestion(Answer::No);
  q.cd->DisplayGraphicFiles1->trigger();
  EXPECT_EQ(driveMode(q), DeviceMode::Stopped);
  EXPECT_FALSE(q.cd->Timer2->Enabled());
}

TEST(CdSwitching, HandingBackChecksTheDiscIsStillTheOneLoaded) {
  PlayingCd same;
  same.cd->Button12Click();
  same.cd->ReturnFrom(same.forms().Form4.get(), false);
  EXPECT_TRUE(same.state().ReturnedToCdPlayer);
  EXPECT_FALSE(same.state().DiscChanged);
  EXPECT_TRUE(same.cd->isVisible());
  EXPECT_FALSE(same.forms().Form4->isVisible());
  EXPECT_EQ(same.ui.applicationTitle(), "CD Player");
  EXPECT_TRUE(same.cd->Timer2->Enabled());

  PlayingCd changed;
  changed.cd->Button12Click();
  changed.swapDisc();  // while the media player is in front
  changed.cd->ReturnFrom(changed.forms().Form9.get(), true);
  EXPECT_TRUE(changed.state().DiscChanged);
  for (QWidget* control :
       {static_cast<QWidget*>(changed.cd->Button1), static_cast<QWidget*>(changed.cd->Button8),
        static_cast<QWidget*>(changed.cd->Button11), static_cast<QWidget*>(changed.cd->CheckBox2)})
    EXPECT_FALSE(control->isEnabled()) << control->objectName().toStdString();
}

TEST(CdHelp, HelpOpensFromTheProgramsDataAndLeavesTheCurrentFolderAlone) {
  CdPlayerFixture p({});
  QTemporaryDir elsewhere;
  QDir::setCurrent(elsewhere.path());
  p.cd->Contents1Click();
  p.cd->KeywordSearch1Click();
  EXPECT_EQ(QDir::currentPath(), QDir(elsewhere.path()).canonicalPath());
  const QString folder = programDataDirectory() + "/help";
  EXPECT_EQ(p.platform.help.shown, (QStringList{"contents " + folder, "keywords " + folder}));
}

TEST(CdWebSite, TheWebSiteCommandStopsTheDiscWithoutRestartingTheStatusTimer) {
  PlayingCd p;
  p.cd->VisitCorvelaProWebSite1Click();
  EXPECT_EQ(p.platform.shell.opened.size(), 1);
  EXPECT_FALSE(p.cd->Timer2->Enabled());
  EXPECT_FALSE(p.state().WebVisitInProgress);
  EXPECT_EQ(p.cd->MediaPlayer1->mode(), DeviceMode::Stopped);
}

TEST(CdErrors, ADeviceErrorInAHandlerIsShownNotFatal) {
  PlayingCd p;
  p.cd->MediaPlayer1->close();
  p.cd->Button4->click();
  ASSERT_FALSE(p.ui.shown().empty());
  EXPECT_EQ(p.ui.shown().back().box, UiDouble::Box::Error);
  EXPECT_EQ(p.ui.shown().back().text, "The CD device is not open.");
}

TEST(CdSwitching, ADiscSwappedBehindTheMediaPlayerIsFoundAtTheNextStatusTick) {
  PlayingCd changed;
  changed.cd->Button12Click();
  changed.swapDisc();
  changed.forms().Form4->Button7Click();
  EXPECT_FALSE(changed.cd->Button1->isEnabled()) << "disabled at once";
  changed.cd->Timer2Timer();
  EXPECT_EQ(changed.ui.texts().back(),
            "You appear to have either removed the\rCD or changed it for another one!\r\rPlease "
            "now take the \"Load\" option");
  EXPECT_EQ(changed.ui.applicationTitle(), "CD ejected");

  PlayingCd same;
  same.cd->Button12Click();
  same.forms().Form4->Button7Click();
  for (int tick = 0; tick < 3; ++tick) same.cd->Timer2Timer();
  EXPECT_TRUE(same.ui.shown().empty());
  EXPECT_TRUE(same.cd->Button1->isEnabled());
}
