#include "windows/viewer/picture_walk.h"

#include <gtest/gtest.h>
#include <QListWidget>

#include <optional>
#include <vector>

#include "services/files/list_widget_lines.h"

namespace {

// A walk over a list whose lines are ticked as given.
struct ListWalk {
  explicit ListWalk(const std::vector<bool>& ticks) {
    for (bool ticked : ticks) lines.append(ListLine::forFile("/pictures/a.bmp"), ticked);
    walk.emplace(lines);
    walk->LastIndex = list.count() - 1;
  }
  PictureWalk* operator->() { return &*walk; }

  QListWidget list;
  ListWidgetLines lines{list};
  std::optional<PictureWalk> walk;
};

ListWalk walkOver(const std::vector<bool>& ticks) { return ListWalk(ticks); }

using Step = PictureWalk::Step;

TEST(PictureWalk, FindsTheNextTickedLineAndTellsADisplayFromAShowAtTheEnd) {
  ListWalk walk = walkOver({true, false, false, true, false});
  EXPECT_EQ(walk->from(1, false).line, 3);
  EXPECT_EQ(walk->from(1, false).step, Step::Show);
  EXPECT_EQ(walk->from(4, false).step, Step::BeepAtEnd);
  EXPECT_EQ(walk->from(4, false).line, 5) << "a display stops past the last line";
  EXPECT_EQ(walk->from(4, true).step, Step::EndOfShow);
  EXPECT_EQ(walk->from(4, true).line, 0);
  EXPECT_EQ(walk->showStart(4), -1);
  EXPECT_EQ(walk->previousTicked(3), 0);
  EXPECT_EQ(walk->previousTicked(0), -1);
  EXPECT_EQ(walk->nextLine(4), -1);
}

TEST(PictureWalk, YesAfterAFailureGoesOnOnlyWithAShowAndOtherwiseFreesTheWindow) {
  using After = PictureWalk::AfterFailure;
  EXPECT_EQ(PictureWalk::afterFailure(true, true), After::ContinueShow);
  EXPECT_EQ(PictureWalk::afterFailure(true, false), After::BackToList);
  EXPECT_EQ(PictureWalk::afterFailure(false, true), After::Stop);
  EXPECT_FALSE(PictureWalk::showGoesOn(true, true))
      << "a stop asked for during the pause ends the show";
}

// The window's shape is the one its display took while a picture is shown,
// and the list view (or the control panel alone) otherwise; the screen is
// kept awake exactly while it is filled or a show runs.
TEST(PictureWalk, KnowsTheShapeShownAndWhenTheScreenStaysAwake) {
  using Shape = PictureWalk::Shape;
  ListWalk walk = walkOver({true});
  EXPECT_EQ(walk->displayShape(), Shape::Framed) << "TV look is on at start";
  walk->TvLook = false;
  EXPECT_EQ(walk->displayShape(), Shape::Window);
  walk->PictureSize = PictureWalk::Size::FillScreen;
  walk->showPicture(walk->displayShape());
  EXPECT_TRUE(walk->keepsScreenAwake());
  walk->PictureSize = PictureWalk::Size::Original;
  EXPECT_EQ(walk->shape(), Shape::FullScreen) << "a choice alone does not reshape the window";
  walk->CompactMode = true;
  walk->hidePicture();
  EXPECT_EQ(walk->shape(), Shape::Compact);
  EXPECT_FALSE(walk->keepsScreenAwake());
  walk->startShow();
  EXPECT_TRUE(walk->keepsScreenAwake());
  walk->endShow();
  walk->CompactMode = false;
  EXPECT_EQ(walk->shape(), Shape::ListView);
}

}  // namespace
