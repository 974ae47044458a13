#include <gtest/gtest.h>
#include <QEvent>

#include "cd_player_fixture.h"
#include "services/media_device/disc_toc.h"

TEST(CdTransport, TickedTracksPlayInTurnThenTheDiscEnds) {
  CdPlayerFixture p({3, 3, 3, 3, 3, 3, 3, 3});
  p.load();
  p.tickOnly({3, 7});
  p.cd->Button1Click(p.cd->Button1);
  p.note();
  EXPECT_EQ(p.cd->Label2->text(), "Track 3  -  0:03");
  p.run(8000);
  EXPECT_EQ(p.played, (std::vector<int>{3, 7}));
  EXPECT_TRUE(p.titles.contains("Track ended"));
  EXPECT_EQ(p.ui.applicationTitle(), "CD ended");
  EXPECT_EQ(p.cd->MediaPlayer1->mode(), DeviceMode::Stopped);
  EXPECT_TRUE(p.cd->Button8->isEnabled());
}

TEST(CdTransport, NextOnTheLastTickedTrackAndPreviousOnTheFirstRestartThem) {
  CdPlayerFixture p({20, 20, 20, 20, 20});
  p.load();
  p.tickOnly({2, 4});
  p.cd->Button1Click(p.cd->Button1);
  p.run(1000);
  p.cd->Button4Click();
  EXPECT_EQ(p.cd->Playback.CurrentTrack, 4);
  p.run(3000);
  p.cd->Button4Click();
  EXPECT_EQ(p.cd->Playback.CurrentTrack, 4);
  EXPECT_EQ(unpackTmsf(p.cd->MediaPlayer1->position()).seconds, 0) << "from its start";

  p.cd->Button5Click();
  EXPECT_EQ(p.cd->Playback.CurrentTrack, 2);
  p.run(3000);
  p.cd->Button5Click();
  EXPECT_EQ(p.cd->Playback.CurrentTrack, 2);
  EXPECT_EQ(unpackTmsf(p.cd->MediaPlayer1->position()).seconds, 0);
}

TEST(CdTransport, PauseAndResumeAtTheSamePlace) {
  CdPlayerFixture p({30, 30});
  p.load();
  p.cd->Button1Click(p.cd->Button1);
  p.run(5000);
  p.cd->Button3Click();
  EXPECT_EQ(p.ui.applicationTitle(), "CD paused");
  EXPECT_EQ(p.cd->MediaPlayer1->mode(), DeviceMode::Stopped) << "a paused drive reports stopped";
  const std::uint32_t pausedAt = p.cd->MediaPlayer1->position();
  p.devices.advance(10000);
  p.cd->Button3Click();
  EXPECT_EQ(p.cd->MediaPlayer1->mode(), DeviceMode::Playing);
  EXPECT_EQ(p.cd->MediaPlayer1->position(), pausedAt);
  p.run(26000);
  EXPECT_EQ(p.played, (std::vector<int>{1, 2}));
}

TEST(CdTransport, TheSliderChoosesAPlaceAndContPlaysFromIt) {
  CdPlayerFixture p({245, 245});
  p.load();
  p.cd->Button1Click(p.cd->Button1);
  p.run(1000);
  p.cd->TrackBar1->setFocus();
  ASSERT_EQ(p.cd->focusWidget(), p.cd->TrackBar1);
  p.cd->TrackBar1->setValue(150);
  EXPECT_EQ(p.cd->Label3->text(), "2:");
  EXPECT_EQ(p.cd->Label4->text(), "30");
  EXPECT_EQ(p.cd->Gauge1->value(), 150);
  EXPECT_TRUE(p.cd->Button14->isEnabled());
  p.cd->Button14Click();
  const Tmsf at = unpackTmsf(p.cd->MediaPlayer1->position());
  EXPECT_EQ(at.track, 1);
  EXPECT_EQ(at.minutes, 2);
  EXPECT_EQ(at.seconds, 30);
  EXPECT_EQ(p.cd->MediaPlayer1->mode(), DeviceMode::Playing);
}

TEST(CdTransport, IntroScanPlaysElevenSecondsOfEachTrackAndStopsAfterTheLast) {
  CdPlayerFixture p(std::vector<int>(12, 40));
  p.load();
  p.cd->IntroScanClick();
  EXPECT_EQ(p.cd->IntroScan->text(), "&Intro On");
  p.cd->Button1Click(p.cd->Button1);
  p.note();
  p.run(12 * 11000 + 1000);
  EXPECT_EQ(p.played.size(), 12u);
  EXPECT_EQ(p.played.back(), 12);
  EXPECT_EQ(p.cd->Playback.CurrentTrack, 0);
  EXPECT_EQ(p.ui.applicationTitle(), "CD ended");
}

TEST(CdTransport, RemainingTimeCountsDownAndTheTitleFollowsTheTime) {
  CdPlayerFixture p({245});
  p.load();
  p.cd->Button1Click(p.cd->Button1);
  p.run(60000);
  EXPECT_EQ(p.cd->Label3->text(), "3:");
  EXPECT_EQ(p.cd->Label4->text(), "05");
  EXPECT_EQ(p.ui.applicationTitle(), "Track:1  3:05 of 4:05");

  p.cd->CheckBox1->setChecked(false);
  p.run(100);
  EXPECT_EQ(p.ui.applicationTitle(), "CD playing");
  p.cd->showMinimized();
  p.run(1000);
  EXPECT_EQ(p.ui.applicationTitle(), "Track:1  3:04 of 4:05") << "minimised, the title keeps time";
  EXPECT_EQ(p.state().settings.Icon, 1);
}

TEST(CdTransport, ADiscThatDisappearsWhilePlayingIsEjected) {
  CdPlayerFixture p({60, 60});
  p.load();
  p.cd->Button1Click(p.cd->Button1);
  p.run(2000);
  // Another program opens the drive's door under the player.
  std::unique_ptr<MediaDevice> other = p.devices.create(DeviceType::CdAudio);
  other->open("virtual");
  other->eject();
  p.run(500);
  EXPECT_EQ(p.ui.applicationTitle(), "CD ejected");
  EXPECT_FALSE(p.state().DiscLoaded);
}

TEST(CdTransport, IntroScanEndsAfterTheLastTickedTrackInEitherOrder) {
  CdPlayerFixture p(std::vector<int>(8, 40));
  p.load();
  p.cd->IntroScanClick();
  p.tickOnly({2, 5});
  p.cd->Button1Click(p.cd->Button1);
  p.note();
  p.run(30000);
  EXPECT_EQ(p.played, (std::vector<int>{2, 5}));
  EXPECT_EQ(p.ui.applicationTitle(), "CD ended");

  p.played.clear();
  p.cd->CheckBox4->setChecked(true);
  for (int n : {6, 3}) p.cd->TrackBoxes[n]->setChecked(true);
  p.cd->Button1Click(p.cd->Button1);
  p.note();
  p.run(30000);
  EXPECT_EQ(p.played, (std::vector<int>{6, 3}));
  EXPECT_EQ(p.cd->Playback.CurrentTrack, 0);
}

TEST(CdTransport, StopAfterPauseStopsTheDriveSoASwappedDiscIsNoticed) {
  CdPlayerFixture p({30, 30});
  p.load();
  p.cd->Button1Click(p.cd->Button1);
  p.run(2000);
  p.cd->Button3Click();
  p.cd->Button2Click(p.cd->Button2);
  p.devices.insertDisc("virtual", FakeMediaDeviceFactory::audioDisc({40, 41}));
  p.cd->Timer2Timer();
  EXPECT_FALSE(p.state().DiscLoaded) << "the new disc went unnoticed";
}

TEST(CdTransport, PausePressedJustAfterATrackEndedLetsPlayMoveOn) {
  CdPlayerFixture p({3, 3});
  p.load();
  p.cd->Button1Click(p.cd->Button1);
  p.note();
  p.devices.advance(3100);  // track 1 ends between two display ticks
  p.cd->Button3Click();
  EXPECT_TRUE(p.cd->Timer1->Enabled());
  p.run(4000);
  EXPECT_EQ(p.played, (std::vector<int>{1, 2}));
  EXPECT_TRUE(p.ui.shown().empty());
}

TEST(CdTransport, ADiscTakenOutOfTheDriveWhilePlayingIsEjected) {
  CdPlayerFixture p({60, 60, 60});
  p.load();
  p.cd->Button1Click(p.cd->Button1);
  p.run(2000);
  p.devices.drive("virtual")->disc = {};  // the reads fail; no door was opened
  p.run(500);
  EXPECT_EQ(p.ui.applicationTitle(), "CD ejected");
  EXPECT_FALSE(p.state().DiscLoaded);
}

TEST(CdShutdown, LeavingTheLastTrackPlayingPlaysToTheEndOfTheDiscAndEnds) {
  CdPlayerFixture p({20, 20, 20});
  p.load();
  p.cd->show();
  p.cd->Playback.SingleTrackRequest = 3;
  p.cd->Button1Click(p.cd->Button1);
  p.run(5000);
  p.ui.expectQuestion(Answer::Yes);
  p.cd->BitBtn1Click();
  EXPECT_TRUE(p.ui.terminating());
  EXPECT_EQ(p.ui.shown().size(), 1u) << "no error box";
  p.devices.advance(14000);
  EXPECT_EQ(p.cd->MediaPlayer1->mode(), DeviceMode::Playing) << "the rest of track 3 plays";
  p.devices.advance(2000);
  EXPECT_EQ(p.cd->MediaPlayer1->mode(), DeviceMode::Stopped);
}

TEST(CdTakeOver, ADiscLeftPlayingByAnEndedRunShowsAsPlayingAndStopSilencesIt) {
  CdPlayerFixture p({20, 20, 20});
  p.devices.drive("virtual")->keptPlaying =
      FakeDriveState::Kept{25 * kFramesPerSecond, 60 * kFramesPerSecond};
  p.load();
  EXPECT_EQ(p.cd->MediaPlayer1->mode(), DeviceMode::Playing);
  EXPECT_EQ(p.cd->Playback.CurrentTrack, 2);
  EXPECT_EQ(p.cd->Label2->text(), "Track 2  -  0:20");
  p.run(1000);
  EXPECT_EQ(unpackTmsf(p.cd->MediaPlayer1->position()).seconds, 6) << "on from where it was";
  p.cd->Button2Click(p.cd->Button2);
  EXPECT_EQ(p.cd->MediaPlayer1->mode(), DeviceMode::Stopped);
  EXPECT_EQ(p.ui.applicationTitle(), "CD ended");
}

// A player left by an ended run may start listening only after the disc was
// loaded; the status tick's reopen then takes its sound over.
TEST(CdTakeOver, ASoundLeftPlayingThatTheStatusTickTakesOverShowsAsPlaying) {
  CdPlayerFixture p({20, 20, 20});
  p.load();
  ASSERT_EQ(p.ui.applicationTitle(), "CD ended");
  p.devices.drive("virtual")->keptPlaying =
      FakeDriveState::Kept{45 * kFramesPerSecond, 60 * kFramesPerSecond};
  p.cd->Timer2Timer();
  EXPECT_EQ(p.devices.drive("virtual")->sounds(), 1);
  EXPECT_EQ(p.cd->Playback.trackPlaying(), 3);
  EXPECT_EQ(p.cd->Label2->text(), "Track 3  -  0:20");
  p.run(1000);
  EXPECT_EQ(p.time(), "0:14") << "six seconds in, its remaining time goes on";
  EXPECT_FALSE(p.cd->Timer2->Enabled()) << "the display timer follows the play";
}
