// The sequence's decisions on a list held in memory, without any window.
#include <gtest/gtest.h>

#include <vector>

#include "services/files/selection_lines.h"
#include "windows/media/play_sequence.h"

namespace {

// Lines named by their real paths, ticked as given.
class Ticks : public SelectionLines {
 public:
  explicit Ticks(std::vector<bool> ticked) : ticked_(std::move(ticked)) {}
  int count() const override { return int(ticked_.size()); }
  ListLine line(int index) const override {
    return ListLine::forFile(QString("/Music/Track%1.MP3").arg(index));
  }
  bool ticked(int index) const override { return ticked_.at(index); }
  bool append(const ListLine&, bool) override { return false; }
  void clear() override {}
  void setVisible(bool) override {}

 private:
  std::vector<bool> ticked_;
};

// Line 0 has started; the cursor waits on line 1.
struct Playing : ::testing::Test {
  Playing() {
    sequence.startFrom(0);
    sequence.take(true);
    sequence.started();
  }
  Ticks lines{{true, true, true, true, true}};
  PlaySequence sequence{lines};
};

TEST_F(Playing, AFileThatEndsWithoutAutoPlayStopsTheSequenceWhicheverDevicePlayedIt) {
  EXPECT_EQ(sequence.mciFileEnded(false), AfterFile::Stop);
  EXPECT_EQ(sequence.mpegFileEnded(false), AfterFile::Stop);
  EXPECT_FALSE(sequence.MpegActive());
  EXPECT_TRUE(PlaySequence::stopsAfterEndedFile(false, Origin::Timer));
  EXPECT_FALSE(PlaySequence::stopsAfterEndedFile(false, Origin::Next));
}

TEST_F(Playing, NextGoesOnFromAHighlightTheKeyboardMoved) {
  sequence.followHighlight(3);
  ASSERT_TRUE(sequence.next(3));
  ASSERT_TRUE(sequence.findTickedLine());
  EXPECT_EQ(sequence.PlayCursor(), 4);
}

TEST_F(Playing, StopClosesAPausedMpegFileAndTheNextOnePausesAfresh) {
  EXPECT_EQ(sequence.pause(true, false), PauseAction::PauseMpeg);
  EXPECT_TRUE(sequence.stop());
  EXPECT_FALSE(sequence.MpegPaused());

  sequence.take(true);
  EXPECT_EQ(sequence.pause(true, false), PauseAction::PauseMpeg);
  EXPECT_EQ(sequence.pause(true, false), PauseAction::ResumeMpeg);
  // Its end has come though the component has not yet said so.
  EXPECT_EQ(sequence.pause(false, false), PauseAction::Nothing);
  EXPECT_FALSE(sequence.MpegPaused());
}

TEST_F(Playing, ALineOpensByItsRealPathAndAFailureOnTheWayStandsOnItsLine) {
  EXPECT_EQ(sequence.fileAtCursor(), "/Music/Track1.MP3");
  sequence.playingFailed();
  EXPECT_EQ(sequence.fileAtCursor(), "/Music/Track0.MP3");
  EXPECT_FALSE(sequence.skipFailed());
  EXPECT_EQ(sequence.PlayCursor(), 1);
}

}  // namespace
