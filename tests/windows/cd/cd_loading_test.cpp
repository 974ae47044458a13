#include <gtest/gtest.h>
#include <QSettings>

#include "cd_player_fixture.h"

TEST(CdLoad, AnEightTrackDiscFillsEightBoxesAndTheTotalLine) {
  CdPlayerFixture p({245, 807, 60, 61, 62, 63, 64, 65});
  p.load();
  TForm1& cd = *p.cd;
  EXPECT_EQ(cd.TrackBoxes[1]->text(), "1 -   4:05");
  EXPECT_EQ(cd.TrackBoxes[2]->text(), "2 -   13:27");
  for (int n = 1; n <= 30; ++n) {
    EXPECT_FALSE(cd.TrackBoxes[n]->isHidden()) << n;
    EXPECT_EQ(cd.TrackBoxes[n]->isEnabled(), n <= 8) << n;
    EXPECT_EQ(cd.TrackBoxes[n]->isChecked(), n <= 8) << n;
  }
  // 245 + 807 + 60 + 61 + ... + 65 seconds
  EXPECT_EQ(cd.Label1->text(), "Total play time: 23 mins  47 secs - Tracks: 8");
  EXPECT_EQ(cd.Button13->text(), "&1 to 8");
  EXPECT_EQ(p.ui.applicationTitle(), "CD ended");
  EXPECT_TRUE(cd.Image1->isHidden());
  EXPECT_TRUE(cd.ComboBox1->isHidden());
  EXPECT_TRUE(p.state().DiscLoaded);
  EXPECT_FALSE(cd.Button7->isEnabled());
  EXPECT_TRUE(cd.Button1->isEnabled());
  EXPECT_TRUE(cd.Timer2->Enabled());
  EXPECT_NE(p.state().DiscFingerprint, 0u);
}

TEST(CdLoad, MoreThanThirtyTracksAreAnnouncedAndOnlyThirtyAreListed) {
  CdPlayerFixture p(std::vector<int>(34, 60));
  p.load();
  EXPECT_EQ(p.ui.texts(),
            QStringList{"There are 34 Tracks on this CD.\r\rUse the Single button to access Tracks "
                        "above 30\r(or use Random mode).\r\r.Press OK to read the rest of the CD "
                        "information."});
  EXPECT_EQ(p.cd->Label1->text(), "Total play time: 30 mins  0 secs - Tracks: 34");
  EXPECT_EQ(p.cd->ListedTrackCount, 30);
  EXPECT_EQ(p.cd->TrackSeconds[34], 60u);
}

TEST(CdLoad, ADataDiscIsRefusedAndTheDriveStaysUsable) {
  CdPlayerFixture p({60, 60}, "BACKUP_2026");
  p.ui.expectQuestion(Answer::No);
  p.load();
  ASSERT_EQ(p.ui.shown().size(), 1u);
  EXPECT_EQ(p.ui.shown()[0].caption, "Not an Audio CD");
  EXPECT_EQ(p.ui.shown()[0].text, "This is not an Audio CD!\r\rEject this CD?");
  EXPECT_FALSE(p.cd->Image1->isHidden());
  EXPECT_FALSE(p.state().DiscLoaded);

  p.devices.insertDisc("virtual", FakeMediaDeviceFactory::audioDisc({60, 60}));
  p.load();
  EXPECT_TRUE(p.state().DiscLoaded);
}

TEST(CdLoad, AnEmptyDriveWarnsThatNoDiscIsThere) {
  CdPlayerFixture p({});
  p.load();
  EXPECT_EQ(
      p.ui.texts(),
      QStringList{"No CD Disk found in drive.\r\rEnsure that an Audio CD is in the CD Drive."});
  EXPECT_FALSE(p.cd->Image1->isHidden());
  EXPECT_TRUE(p.cd->Button7->isEnabled());
}

TEST(CdLoad, ABrokenImageSaysWhyInsteadOfNoDisc) {
  CdPlayerFixture p({});
  p.devices.drive("virtual")->problem =
      "The disc image \"x.cue\" cannot be played: track 2 has no INDEX 01.";
  p.load();
  ASSERT_EQ(p.ui.shown().size(), 1u);
  EXPECT_EQ(p.ui.shown()[0].box, UiDouble::Box::Error);
  EXPECT_EQ(p.ui.shown()[0].text,
            "The disc image \"x.cue\" cannot be played: track 2 has no INDEX 01.");
  EXPECT_FALSE(p.cd->Image1->isHidden());
}

TEST(CdEject, EjectReturnsToTheNoDiscState) {
  CdPlayerFixture p({60, 60, 60});
  p.load();
  p.cd->Button1Click(p.cd->Button1);
  p.run(1000);
  p.cd->Button8Click();
  TForm1& cd = *p.cd;
  EXPECT_FALSE(cd.Image1->isHidden());
  EXPECT_FALSE(cd.ComboBox1->isHidden());
  EXPECT_EQ(cd.TrackBoxes[1], nullptr);
  EXPECT_EQ(p.ui.applicationTitle(), "CD ejected");
  EXPECT_EQ(cd.Button13->text(), "Single");
  EXPECT_TRUE(cd.Button7->isEnabled());
  EXPECT_FALSE(cd.Button1->isEnabled());
  EXPECT_FALSE(cd.Timer1->Enabled());
  EXPECT_TRUE(p.state().DiscEjected);
  EXPECT_TRUE(p.devices.drive("virtual")->doorOpen);
}

TEST(CdLoad, TheRandomSettingStartsRandomPlayAtOnce) {
  CdPlayerFixture p({60, 60, 60, 60});
  p.state().settings.Random = true;
  p.load();
  EXPECT_TRUE(p.cd->Playback.RandomMode);
  EXPECT_NE(p.cd->Playback.CurrentTrack, 0);
  EXPECT_EQ(p.cd->MediaPlayer1->mode(), DeviceMode::Playing);
  EXPECT_EQ(p.cd->windowTitle(), "Corvela Pro - CD Player - RANDOM Play Mode");
}

TEST(CdDiscImage, ChoosingAnImageWhileADiscPlaysStopsEjectsAndLoadsTheImage) {
  CdPlayerFixture p({60, 60, 60});
  p.load();
  p.cd->Button1Click(p.cd->Button1);
  p.run(1000);
  p.devices.insertDisc("virtual", FakeMediaDeviceFactory::audioDisc({90, 90}));
  p.ui.expectOpenFiles({"/music/other.cue"});
  p.cd->OpenDiscImage1Click();

  EXPECT_EQ(QSettings(p.settings.filePath(), QSettings::IniFormat).value("VirtualDrive/Image"),
            "/music/other.cue");
  EXPECT_EQ(p.cd->Label1->text(), "Total play time: 3 mins  0 secs - Tracks: 2");
  EXPECT_EQ(p.cd->Playback.CurrentTrack, 0);
  EXPECT_TRUE(p.cd->Button1->isEnabled());
}

TEST(CdLoad, TrackTitlesTheDiscCarriesAreTheTrackBoxesTooltips) {
  DiscToc disc = FakeMediaDeviceFactory::audioDisc({60, 60, 60});
  disc.tracks[1].text = {"Low", "Someone"};
  disc.tracks[2].text = {"High", ""};
  CdPlayerFixture p({});
  p.devices.insertDisc("virtual", disc);
  p.load();
  EXPECT_EQ(p.cd->TrackBoxes[1]->toolTip(), "");
  EXPECT_EQ(p.cd->TrackBoxes[2]->toolTip(), "Low - Someone");
  EXPECT_EQ(p.cd->TrackBoxes[3]->toolTip(), "High");
  EXPECT_EQ(p.cd->TrackBoxes[2]->text(), "2 -   1:00") << "the caption stays";
}
