#include "platform/taskbar.h"
#include "viewer/picture_area.h"
#include "viewer_fixture.h"

namespace {

const QString TooBigStart = "Original Graphic Height:  ";

TEST(GraphicDisplay, APictureTooBigIsCutToItsTopLeft2000PixelsAfterAMessage) {
  ViewerFixture f;
  f.select({f.picture("wide.bmp", {2400, 1000})});
  f.viewer->Button2Click(f.viewer->Button2);
  EXPECT_EQ(f.ui.texts().last(),
            "Original Graphic Height:  1000\rOriginal Graphic Width:   2400\r\rSorry, this graphic "
            "is too big for normal display!\r\rA copy of the original graphic will be cropped in "
            "order to view part of it");
  EXPECT_EQ(f.viewer->Image1->pictureSize(), QSize(2000, 1000));
  EXPECT_FALSE(f.viewer->Image1->isHidden());
}

TEST(GraphicDisplay, TwoThousandPixelsShowWholeAndOneMoreIsCut) {
  ViewerFixture f;
  f.select({f.picture("a.bmp", {2000, 2000}), f.picture("b.bmp", {10, 2001})});
  f.ui.clear();
  f.viewer->Button2Click(f.viewer->Button2);
  EXPECT_TRUE(f.ui.texts().isEmpty());
  f.viewer->Button6Click();
  ASSERT_FALSE(f.ui.texts().isEmpty());
  EXPECT_TRUE(f.ui.texts().last().startsWith(TooBigStart + "2001"));
}

TEST(GraphicDisplay, TvLookStretchesEveryPictureIntoTheFrame) {
  ViewerFixture f;
  f.select({f.picture("tall.bmp", {20, 400})});
  f.viewer->Button2Click(f.viewer->Button2);
  EXPECT_EQ(f.viewer->Image1->geometry(), QRect(16, 16, 313, 265));
  EXPECT_TRUE(f.viewer->ListBox1->isHidden());
  EXPECT_FALSE(f.viewer->Panel1->isHidden());
}

TEST(GraphicDisplay, NextOnTheLastTickedLineBeepsThreeTimesAndKeepsThePicture) {
  ViewerFixture f;
  f.select({f.picture("a.bmp"), f.picture("b.bmp"), f.picture("c.bmp")});
  f.userTick(2, false);
  f.viewer->Button2Click(f.viewer->Button2);
  f.viewer->Button6Click();
  EXPECT_EQ(f.viewer->CurrentFileName, f.file("b.bmp").toLower());
  f.viewer->Button6Click();
  EXPECT_EQ(f.ui.beeps(), 3);
  EXPECT_FALSE(f.viewer->Image1->isHidden());
  f.ui.clear();
  f.viewer->Button7Click();
  f.viewer->Button7Click();
  EXPECT_EQ(f.ui.beeps(), 3) << "Previous on the first ticked line";
}

TEST(GraphicDisplay, AnUnshowableFileAsksWhetherToGoOnAndNoStops) {
  ViewerFixture f;
  QFile(f.file("x.fif")).open(QIODevice::WriteOnly);
  f.select({f.file("x.fif")});
  f.ui.expectQuestion(Answer::No);
  f.viewer->Button2Click(f.viewer->Button2);
  ASSERT_EQ(f.ui.shown().back().box, UiDouble::Box::Question);
  EXPECT_EQ(f.ui.shown().back().caption, f.file("x.fif"));
  EXPECT_TRUE(f.ui.texts().last().startsWith("Sorry, unable to display the above file"));
  EXPECT_TRUE(f.viewer->Image1->isHidden());
  EXPECT_FALSE(f.viewer->ListBox1->isHidden());
}

TEST(GraphicDisplay, EscIsIgnoredWhileTheListIsVisibleAndEndsADisplayOtherwise) {
  ViewerFixture f;
  f.select({f.picture("a.bmp")});
  EXPECT_FALSE(f.viewer->FormKeyPress(Qt::Key_Escape));
  f.viewer->Button2Click(f.viewer->Button2);
  EXPECT_TRUE(f.viewer->FormKeyPress(Qt::Key_Escape));
  EXPECT_TRUE(f.viewer->Image1->isHidden());
  EXPECT_FALSE(f.viewer->ListBox1->isHidden());
  EXPECT_FALSE(f.platform.taskbar.hidden());
}

}  // namespace
