#include <gtest/gtest.h>

#include "windows/cd/play_order.h"

TEST(PlayOrder, ShuffleDrawsEveryOrderEquallyOften) {
  PlayOrder order;
  // Each of 4 tracks should land in each of 4 slots a quarter of the time.
  const int draws = 8000;
  int counts[5][5] = {};
  for (int i = 0; i < draws; ++i) {
    order.shuffle(4);
    for (int slot = 1; slot <= 4; ++slot) ++counts[slot][order.randomSlot(slot)];
  }
  for (int slot = 1; slot <= 4; ++slot)
    for (int track = 1; track <= 4; ++track)
      EXPECT_NEAR(counts[slot][track], draws / 4, draws / 4 * 0.12) << slot << "," << track;
}

TEST(PlayOrder, ANewPermutationNeverStartsWithTheTrackJustPlayed) {
  PlayOrder order;
  order.shuffle(2);
  int last = 0;
  for (int i = 0; i < 400; ++i) {
    const int track = order.nextRandom(2, false);
    ASSERT_NE(track, last) << "after " << i << " tracks";
    last = track;
  }
}

TEST(PlayOrder, UntickingMovesTheNextSlotOnlyWhenTheSlotRemovedLiesBefore) {
  PlayOrder order;
  for (int n : {5, 2, 9, 7}) order.tick(n, false);
  EXPECT_EQ(order.firstSelected(), 5);
  order.untick(9, true);  // still to come
  EXPECT_EQ(order.nextSelected(), 2);
  order.untick(5, true);  // already played
  EXPECT_EQ(order.nextSelected(), 7);
  EXPECT_EQ(order.nextSelected(), 0) << "used up";
}

TEST(PlayOrder, IntroScanEndsAfterTheLastTickedTrack) {
  PlayOrder::Ticks ticks{};
  ticks[2] = ticks[5] = true;
  EXPECT_FALSE(PlayOrder::introScanEndsAfter(ticks, 2));
  EXPECT_TRUE(PlayOrder::introScanEndsAfter(ticks, 5));
  EXPECT_TRUE(PlayOrder::introScanEndsAfter(ticks, 33))
      << "a track above 30 from the single track dialog";
}
