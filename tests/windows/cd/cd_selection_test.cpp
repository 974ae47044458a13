#include <gtest/gtest.h>

#include <set>

#include "cd_player_fixture.h"

TEST(CdRandomMode, EveryTrackPlaysOnceThenANewPermutationIsDrawn) {
  CdPlayerFixture p(std::vector<int>(12, 2));
  p.load();
  p.cd->CheckBox2->setChecked(true);
  EXPECT_TRUE(p.state().RandomUsedThisRun);
  p.note();
  p.run(12 * 2000 + 1500);
  ASSERT_GE(p.played.size(), 13u);
  const std::set<int> first(p.played.begin(), p.played.begin() + 12);
  EXPECT_EQ(first.size(), 12u) << "each of the 12 tracks once";
  EXPECT_EQ(*first.begin(), 1);
  EXPECT_EQ(*first.rbegin(), 12);
  EXPECT_TRUE(
      p.cd->Playback.Order.randomText().startsWith("Random Track selection is as follows:-\r\r"));
}

TEST(CdRandomMode, TracksAboveThirtyPlayWithNoBoxTicked) {
  CdPlayerFixture p(std::vector<int>(40, 1));
  p.load();
  p.ui.clear();
  p.cd->CheckBox2->setChecked(true);
  bool sawHighTrack = false;
  for (int i = 0; i < 40 && !sawHighTrack; ++i) {
    if (p.cd->Playback.CurrentTrack > 30) {
      sawHighTrack = true;
      for (int n = 1; n <= 30; ++n) EXPECT_FALSE(p.cd->TrackBoxes[n]->isChecked()) << n;
    } else {
      EXPECT_TRUE(p.cd->TrackBoxes[p.cd->Playback.CurrentTrack]->isChecked());
    }
    p.run(1100);
  }
  EXPECT_TRUE(sawHighTrack);
}

TEST(CdRandomMode, AOneTrackDiscRefusesBothModesAndChangesNothingElse) {
  CdPlayerFixture p({60});
  p.state().settings.Random = true;  // loading turns random play on at once
  p.load();
  p.cd->CheckBox4->setChecked(true);
  EXPECT_EQ(p.ui.texts(), (QStringList{"No point, only one track!", "No point, only one track!"}));
  EXPECT_FALSE(p.cd->Playback.RandomMode);
  EXPECT_FALSE(p.cd->Playback.SelectMode);
  EXPECT_TRUE(p.cd->TrackBoxes[1]->isChecked()) << "the only track stays ticked";
  EXPECT_TRUE(p.state().settings.Random) << "the stored choice stays";
}

TEST(CdSelectedOrder, TicksAreRememberedInOrderAndUnticksCloseTheGap) {
  CdPlayerFixture p(std::vector<int>(12, 60));
  p.load();
  TForm1& cd = *p.cd;
  cd.CheckBox4->setChecked(true);
  EXPECT_EQ(cd.windowTitle(), "Corvela Pro - CD Player - Play In Order Selected Mode");
  for (int n : {5, 2, 9}) cd.TrackBoxes[n]->setChecked(true);
  cd.DisplayAsSelectedTracks1Click();
  EXPECT_EQ(p.ui.texts().back(), "You have chosen Tracks in the following order:-\r\r5, 2, 9");
  cd.TrackBoxes[2]->setChecked(false);
  cd.DisplayAsSelectedTracks1Click();
  EXPECT_EQ(p.ui.texts().back(), "You have chosen Tracks in the following order:-\r\r5, 9");
}

// Order-of-selection mode on a disc of 2-second tracks, 5, 2 and 9 ticked, Play pressed.
static void playFiveTwoNine(CdPlayerFixture& p) {
  p.load();
  p.cd->CheckBox4->setChecked(true);
  for (int n : {5, 2, 9}) p.cd->TrackBoxes[n]->setChecked(true);
  p.cd->Button1Click(p.cd->Button1);
  p.note();
}

TEST(CdSelectedOrder, PlaysTheTicksInTheirOrderThenStops) {
  CdPlayerFixture p(std::vector<int>(12, 2));
  playFiveTwoNine(p);
  p.run(8000);
  EXPECT_EQ(p.played, (std::vector<int>{5, 2, 9}));
  EXPECT_EQ(p.cd->Playback.CurrentTrack, 0);
  EXPECT_EQ(p.ui.applicationTitle(), "CD ended");
}

TEST(CdSelectedOrder, UntickingATrackStillToComeLeavesThePlayingOneBehind) {
  CdPlayerFixture p(std::vector<int>(12, 2));
  playFiveTwoNine(p);
  p.run(500);
  p.cd->TrackBoxes[9]->setChecked(false);
  p.run(6000);
  EXPECT_EQ(p.played, (std::vector<int>{5, 2}));
}

TEST(CdTickedTotal, TracksCountsOnlyTheFirstThirtyTracks) {
  CdPlayerFixture p(std::vector<int>(34, 61));
  p.load();
  p.ui.clear();
  p.cd->Button11Click();
  EXPECT_EQ(p.ui.texts().back(),
            "Total play time of selected Track(s): 30 minute(s)  30 second(s)");
  p.cd->Button10Click();
  p.cd->Button11Click();
  EXPECT_EQ(p.ui.texts().back(), "There are no Tracks selected below Track 31");
}
