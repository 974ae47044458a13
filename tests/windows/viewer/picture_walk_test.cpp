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
    walk.emplace(lines, list.count() - 1);
  }
  const PictureWalk* operator->() const { return &*walk; }

  QListWidget list;
  ListWidgetLines lines{list};
  std::optional<PictureWalk> walk;
};

ListWalk walkOver(const std::vector<bool>& ticks) { return ListWalk(ticks); }

using Step = PictureWalk::Step;

TEST(PictureWalk, FindsTheNextTickedLineAndTellsADisplayFromAShowAtTheEnd) {
  const ListWalk walk = walkOver({true, false, false, true, false});
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

}  // namespace
