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
  EXPECT_TRUE(p.cd->RandomOrderText.startsWith("Random Track selection is as follows:-\r\r"));
}

TEST(CdRandomMode, TracksAboveThirtyPlayWithNoBoxTicked) {
  CdPlayerFixture p(std::vector<int>(40, 1));
  p.load();
  p.ui.clear();
  p.cd->CheckBox2->setChecked(true);
  bool sawHighTrack = false;
  for (int i = 0; i < 40 && !sawHighTrack; ++i) {
    if (p.cd->CurrentTrack > 30) {
      sawHighTrack = true;
      for (int n = 1; n <= 30; ++n) EXPECT_FALSE(p.cd->TrackBoxes[n]->isChecked()) << n;
    } else {
      EXPECT_TRUE(p.cd->TrackBoxes[p.cd->CurrentTrack]->isChecked());
    }
    p.run(1100);
  }
  EXPECT_TRUE(sawHighTrack);
}

TEST(CdRandomMode, ShuffleDrawsEveryOrderEquallyOften) {
  CdPlayerFixture p({1, 1, 1, 1});
  p.load();
  // Each of 4 tracks should land in each of 4 slots a quarter of the time.
  const int draws = 8000;
  int counts[5][5] = {};
  for (int i = 0; i < draws; ++i) {
    p.cd->ShuffleTracks(4);
    for (int slot = 1; slot <= 4; ++slot) ++counts[slot][p.cd->RandomOrder[slot]];
  }
  for (int slot = 1; slot <= 4; ++slot)
    for (int track = 1; track <= 4; ++track)
      EXPECT_NEAR(counts[slot][track], draws / 4, draws / 4 * 0.12) << slot << "," << track;
}

TEST(CdRandomMode, AOneTrackDiscRefusesBothModes) {
  CdPlayerFixture p({60});
  p.load();
  p.cd->CheckBox2->setChecked(true);
  p.cd->CheckBox4->setChecked(true);
  EXPECT_EQ(p.ui.texts(), (QStringList{"No point, only one track!", "No point, only one track!"}));
  EXPECT_FALSE(p.cd->RandomMode);
  EXPECT_FALSE(p.cd->SelectMode);
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
  EXPECT_EQ(cd.OrderCount, 2);
  EXPECT_EQ(cd.SelectedOrder[1], 5);
  EXPECT_EQ(cd.SelectedOrder[2], 9);

  cd.OrderCount = 30;
  cd.TrackBoxes[11]->setChecked(true);
  EXPECT_EQ(cd.OrderCount, 30) << "a full order ignores a further tick";
}

TEST(CdSelectedOrder, PlaysTheTicksInTheirOrderThenStops) {
  CdPlayerFixture p(std::vector<int>(12, 2));
  p.load();
  p.cd->CheckBox4->setChecked(true);
  for (int n : {5, 2, 9}) p.cd->TrackBoxes[n]->setChecked(true);
  p.cd->Button1Click(p.cd->Button1);
  p.note();
  p.run(8000);
  EXPECT_EQ(p.played, (std::vector<int>{5, 2, 9}));
  EXPECT_EQ(p.cd->CurrentTrack, 0);
  EXPECT_EQ(p.ui.applicationTitle(), "CD ended");
}

TEST(CdTickedTotal, TracksCountsOnlyTheFirstThirtyTracks) {
  CdPlayerFixture p(std::vector<int>(34, 61));
  p.load();
  p.ui.clear();
  p.cd->Button11Click();
  EXPECT_EQ(p.ui.texts().back(), "Total play time of selected Track(s): 30 minute(s)  30 second(s)");
  p.cd->Button10Click();
  p.cd->Button11Click();
  EXPECT_EQ(p.ui.texts().back(), "There are no Tracks selected below Track 31");
}
