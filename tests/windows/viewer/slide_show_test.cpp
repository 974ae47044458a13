#include <QLineEdit>
#include <QRadioButton>
#include <QSlider>

#include "fake_slide_clock.h"
#include "platform/taskbar.h"
#include "program/program_state.h"
#include "viewer_fixture.h"
#include "windows/viewer/picture_area.h"

namespace {

// A viewer whose slide show pauses on a fake clock.
struct SlideShowFixture : ViewerFixture {
  explicit SlideShowFixture(QTime start = QTime(10, 0, 0)) : clock(start) {
    viewer->useClock(clock);
  }
  // Pictures a.bmp, b.bmp, ... all ticked, the first highlighted.
  void selectPictures(int count) {
    QStringList files;
    for (int n = 0; n < count; ++n) files << picture(QString(QChar('a' + n)) + ".bmp");
    select(files);
  }
  void startShow(int delay) {
    viewer->Edit1->setText(QString::number(delay));
    viewer->CheckBox2->setChecked(true);
  }
  bool backAtTheList() const {
    return viewer->Image1->isHidden() && !viewer->ListBox1->isHidden() &&
           !viewer->CheckBox2->isChecked();
  }

  FakeSlideClock clock;
};

TEST(SlideShow, ShowsEachTickedPictureInTurnWithAPauseAndReturnsToTheList) {
  SlideShowFixture f;
  f.selectPictures(3);
  f.userTick(1, false);
  QStringList shown;
  f.clock.at(500, [&] { shown << f.viewer->Pictures->CurrentFileName; });
  f.clock.at(2500, [&] { shown << f.viewer->Pictures->CurrentFileName; });
  f.startShow(2);
  EXPECT_EQ(shown, QStringList({f.file("a.bmp").toLower(), f.file("c.bmp").toLower()}));
  EXPECT_EQ(f.clock.rested(), 4000);
  EXPECT_TRUE(f.backAtTheList());
  EXPECT_EQ(f.platform.pointer.places.back(), f.screenCentre());
  EXPECT_TRUE(f.viewer->Button5->isEnabled());
}

// Handlers run during the pause and may move CurrentIndex; the show keeps to
// its own place, and keeps the screen awake while it runs.
TEST(SlideShow, KeepsItsPlaceAndTheScreenAwakeWhateverRunsDuringThePause) {
  SlideShowFixture f;
  f.selectPictures(3);
  QStringList shown;
  bool screenKeptAwake = false;
  f.clock.at(500, [&] {
    shown << f.viewer->Pictures->CurrentFileName;
    screenKeptAwake = f.platform.taskbar.screenSaverInhibited();
  });
  f.clock.at(2500, [&] {
    shown << f.viewer->Pictures->CurrentFileName;
    f.viewer->Pictures->CurrentIndex = 0;
  });
  f.clock.at(4500, [&] { shown << f.viewer->Pictures->CurrentFileName; });
  f.startShow(2);
  EXPECT_EQ(shown, QStringList({f.file("a.bmp").toLower(), f.file("b.bmp").toLower(),
                                f.file("c.bmp").toLower()}));
  EXPECT_TRUE(screenKeptAwake);
  EXPECT_FALSE(f.platform.taskbar.screenSaverInhibited());
}

TEST(SlideShow, StartedOnTheLastTickedLineShowsThatPictureAloneThenTheList) {
  SlideShowFixture f;
  f.selectPictures(3);
  f.viewer->ListBox1->setCurrentRow(2);
  f.ui.clear();
  f.startShow(3);
  EXPECT_EQ(f.viewer->Pictures->CurrentFileName, f.file("c.bmp").toLower());
  EXPECT_EQ(f.clock.rested(), 3000);
  EXPECT_TRUE(f.backAtTheList());
  EXPECT_TRUE(f.ui.texts().isEmpty());
}

TEST(SlideShow, StartedBelowTheLastTickedLineSaysThereIsNothingMoreAndDoesNotStart) {
  SlideShowFixture f;
  f.selectPictures(3);
  f.userTick(2, false);
  f.viewer->ListBox1->setCurrentRow(2);
  f.startShow(3);
  EXPECT_EQ(f.ui.texts().last(),
            "There are no more selections.\r\rPlease select (tick) and highlight a file "
            "from\rwhere you wish the Slide Show to begin.");
  EXPECT_EQ(f.clock.rested(), 0);
  EXPECT_TRUE(f.backAtTheList());
}

TEST(SlideShow, ADelayOutsideOneToTwentyClearsTheBoxAndKeepsTheDelay) {
  SlideShowFixture f;
  f.viewer->Edit1->setText("7");
  for (const char* wrong : {"25", "0"}) {
    f.viewer->Edit1->setText(wrong);
    EXPECT_TRUE(f.viewer->Edit1->text().isEmpty()) << wrong;
    EXPECT_EQ(f.viewer->Pictures->SlideDelay, 7);
    EXPECT_EQ(f.state().settings.Delay, 7);
    EXPECT_EQ(f.viewer->TrackBar1->value(), 7);
  }
  f.viewer->Edit1->setText("x");
  EXPECT_EQ(f.viewer->Edit1->text(), "4");
  EXPECT_EQ(f.viewer->Pictures->SlideDelay, 4);
}

TEST(SlideShow, APauseLastsWholeSecondsOfTheClockAndStartsAgainWhenTheHourTurns) {
  {
    SlideShowFixture f(QTime(10, 0, 0, 900));
    f.selectPictures(1);
    f.startShow(1);
    EXPECT_EQ(f.clock.rested(), 100) << "shown just before a second turned";
  }
  {
    SlideShowFixture f(QTime(10, 59, 58));
    f.selectPictures(1);
    f.startShow(4);
    EXPECT_EQ(f.clock.rested(), 6000) << "two seconds to the hour, then the whole delay";
  }
}

TEST(SlideShow, UntickingTheBoxDuringAPauseEndsTheShowAtOnce) {
  SlideShowFixture f;
  f.selectPictures(3);
  f.clock.at(1500, [&] { f.viewer->CheckBox2->setChecked(false); });
  f.startShow(5);
  EXPECT_LT(f.clock.rested(), 1600);
  EXPECT_EQ(f.viewer->Pictures->CurrentFileName, f.file("a.bmp").toLower());
  EXPECT_TRUE(f.backAtTheList());
}

TEST(SlideShow, MinimizingTheWindowDuringAShowEndsIt) {
  SlideShowFixture f;
  f.selectPictures(3);
  f.clock.at(1000, [&] { f.viewer->setWindowState(Qt::WindowMinimized); });
  f.startShow(5);
  EXPECT_LT(f.clock.rested(), 1100);
  EXPECT_FALSE(f.viewer->CheckBox2->isChecked());
  EXPECT_TRUE(f.viewer->Image1->isHidden());
  EXPECT_FALSE(f.viewer->ListBox1->isHidden());
}

TEST(SlideShow, EscDuringAShowEndsItAndThePopupCanStartAnother) {
  SlideShowFixture f;
  f.selectPictures(2);
  f.clock.at(1000, [&] { EXPECT_TRUE(f.viewer->FormKeyPress(Qt::Key_Escape)); });
  f.startShow(5);
  EXPECT_LT(f.clock.rested(), 1100);
  EXPECT_TRUE(f.backAtTheList());

  f.viewer->PopupMenu1Popup();
  EXPECT_TRUE(f.viewer->SlideShowOn1->isEnabled());
  f.viewer->SlideShowOn1Click();
  EXPECT_EQ(f.clock.rested(), 1000 + 2 * 5000);
  EXPECT_TRUE(f.backAtTheList());
}

TEST(SlideShow, YesToTheErrorPromptGoesOnWithTheNextTickedLineAndNoEndsTheShow) {
  {
    SlideShowFixture f;
    const QString broken = f.file("b.bmp");
    QFile(broken).open(QIODevice::WriteOnly);
    f.select({f.picture("a.bmp"), broken, f.picture("c.bmp")});
    f.ui.expectQuestion(Answer::Yes);
    QStringList shown;
    f.clock.at(100, [&] { shown << f.viewer->Pictures->CurrentFileName; });
    f.clock.at(2100, [&] { shown << f.viewer->Pictures->CurrentFileName; });
    f.startShow(2);
    EXPECT_EQ(shown, QStringList({f.file("a.bmp").toLower(), f.file("c.bmp").toLower()}));
    EXPECT_TRUE(f.backAtTheList());
  }
  {
    SlideShowFixture f;
    const QString broken = f.file("b.bmp");
    QFile(broken).open(QIODevice::WriteOnly);
    f.select({f.picture("a.bmp"), broken, f.picture("c.bmp")});
    f.ui.expectQuestion(Answer::No);
    f.startShow(2);
    EXPECT_EQ(f.clock.rested(), 2000) << "c.bmp was never shown";
    EXPECT_EQ(f.viewer->Pictures->CurrentFileName, broken.toLower());
    EXPECT_TRUE(f.backAtTheList());
  }
}

TEST(SlideShow, ClosingTheWindowDuringAShowEndsTheShowAndTheProgram) {
  SlideShowFixture f;
  f.selectPictures(3);
  f.viewer->FillScreen->setChecked(true);
  f.clock.at(1000, [&] { f.viewer->close(); });
  f.startShow(5);
  EXPECT_LT(f.clock.rested(), 1100);
  EXPECT_TRUE(f.ui.terminating());
  EXPECT_FALSE(f.platform.taskbar.hidden());
  EXPECT_EQ(f.viewer->Pictures->SlideDelay, 0);
  EXPECT_FALSE(f.state().settings.Active);
}

}  // namespace
