#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>

#include "codec_test_support.h"
#include "platform/taskbar.h"
#include "program/program_state.h"
#include "services/fif/fif_registration.h"
#include "services/picture/graphic_formats.h"
#include "viewer_fixture.h"
#include "widgets/list_look.h"
#include "windows/viewer/picture_area.h"

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
  EXPECT_EQ(f.viewer->Pictures->CurrentFileName, f.file("b.bmp").toLower());
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

// TV look off: the picture alone in a borderless window.
struct PlainDisplayFixture : ViewerFixture {
  PlainDisplayFixture() {
    viewer->show();
    viewer->CheckBox3->setChecked(false);
  }
  bool borderless() const { return viewer->windowFlags().testFlag(Qt::FramelessWindowHint); }
  QSize client() const { return viewer->client()->size(); }
  void display() { viewer->Button2Click(viewer->Button2); }
};

TEST(GraphicDisplay, FitWindowWithoutTvLookFillsTheBorderlessWindowAtItsOwnSize) {
  PlainDisplayFixture f;
  f.select({f.picture("a.bmp", {40, 300})});
  const QSize windowSize = f.viewer->size();
  f.display();
  EXPECT_TRUE(f.borderless());
  EXPECT_EQ(f.client(), QSize(521, 389));
  EXPECT_EQ(f.viewer->Image1->geometry(), QRect(0, 0, 521, 389));
  EXPECT_TRUE(f.viewer->Panel1->isHidden());
  EXPECT_EQ(f.platform.pointer.places.back(),
            QPoint(windowSize.width() + 125, windowSize.height() + 80));
  EXPECT_TRUE(f.viewer->FormKeyPress(Qt::Key_Escape));
  EXPECT_FALSE(f.borderless());
  EXPECT_FALSE(f.viewer->Panel1->isHidden());
}

TEST(GraphicDisplay, OriginalSizeFitsTheWindowToThePictureCentredWithoutMenuBar) {
  PlainDisplayFixture f;
  f.select({f.picture("a.bmp", {200, 120})});
  f.viewer->OriginalSize->setChecked(true);
  f.display();
  EXPECT_EQ(f.client(), QSize(200, 120));
  EXPECT_TRUE(f.viewer->menuBar()->isHidden());
  EXPECT_EQ(f.viewer->pos(),
            QPoint((f.screen().width() - 200) / 2, (f.screen().height() - 120) / 2));
  EXPECT_EQ(f.platform.pointer.places.back(), f.screenCentre() + QPoint(100 - 5, 60 - 5));

  f.viewer->Exit1Click();  // the popup Stop
  EXPECT_EQ(f.client(), QSize(521, 389));
  EXPECT_FALSE(f.viewer->menuBar()->isHidden());
  EXPECT_FALSE(f.viewer->ListBox1->isHidden());
}

TEST(GraphicDisplay, FillScreenCoversTheScreenAndHidesTheTaskBarUntilStopped) {
  PlainDisplayFixture f;
  f.select({f.picture("a.bmp"), f.picture("b.bmp")});
  f.viewer->FillScreen->setChecked(true);
  f.display();
  EXPECT_TRUE(f.viewer->isFullScreen()) << "the window system's full screen covers the panels";
  EXPECT_EQ(f.client(), f.screen());
  EXPECT_EQ(f.viewer->Image1->size(), f.screen());
  EXPECT_TRUE(f.platform.taskbar.hidden());
  EXPECT_TRUE(f.platform.taskbar.screenSaverInhibited());
  EXPECT_EQ(f.platform.pointer.places.back(), QPoint(f.screen().width(), f.screen().height()));
  f.viewer->Next1Click();
  EXPECT_EQ(f.viewer->Pictures->CurrentFileName, f.file("b.bmp").toLower());
  EXPECT_EQ(f.platform.pointer.places.back(), QPoint(f.screen().width(), f.screen().height()));
  f.viewer->setWindowState(Qt::WindowMinimized);
  EXPECT_TRUE(f.viewer->Image1->isHidden());
  EXPECT_FALSE(f.viewer->ListBox1->isHidden());
  f.viewer->setWindowState(Qt::WindowNoState);
  f.viewer->Button12Click();
  EXPECT_FALSE(f.platform.taskbar.hidden());
  EXPECT_FALSE(f.platform.taskbar.screenSaverInhibited());
  f.viewer->RestoreListView();
  EXPECT_EQ(f.client(), QSize(521, 389));

  const QPoint listPlace(30, 40);
  f.viewer->move(listPlace);
  f.display();
  ASSERT_TRUE(f.viewer->isFullScreen());
  EXPECT_TRUE(f.viewer->FormKeyPress(Qt::Key_Escape));
  EXPECT_FALSE(f.viewer->isFullScreen());
  EXPECT_EQ(f.client(), QSize(521, 389));
  EXPECT_EQ(f.viewer->pos(), listPlace) << "Esc puts the window back where it stood";
}

TEST(GraphicDisplay, CompactModeShrinksTheWindowToItsControlPanelAndBack) {
  PlainDisplayFixture f;
  f.select({f.picture("a.bmp"), f.picture("b.bmp")});
  f.viewer->CheckBox1->setChecked(true);
  EXPECT_TRUE(f.borderless());
  EXPECT_EQ(f.client(), QSize(167 + 12, 377 + 12));
  EXPECT_EQ(f.viewer->pos(), QPoint(400, 53));
  EXPECT_EQ(f.viewer->Panel1->pos(), QPoint(6, 6));
  EXPECT_TRUE(f.viewer->ListBox1->isHidden());
  EXPECT_TRUE(f.viewer->menuBar()->isHidden());
  EXPECT_FALSE(f.viewer->CheckBox3->isEnabled());

  f.display();
  EXPECT_FALSE(f.viewer->Image1->isHidden());
  f.viewer->Exit1Click();
  EXPECT_EQ(f.client(), QSize(179, 389)) << "compact mode keeps its shape after a display";
  EXPECT_FALSE(f.viewer->Panel1->isHidden());

  f.viewer->CheckBox1->setChecked(false);
  EXPECT_FALSE(f.borderless());
  EXPECT_EQ(f.client(), QSize(521, 389));
  EXPECT_EQ(f.viewer->Panel1->pos(), QPoint(344, 8));
  EXPECT_TRUE(f.viewer->CheckBox3->isChecked());
  EXPECT_FALSE(f.viewer->ListBox1->isHidden());
  EXPECT_EQ(f.viewer->Label1->text(), "Selected: 2 - Current: 1 of 2");
}

// The key goes to the focused control, which leaves Esc to its parents: the
// window must still see it once.
TEST(GraphicDisplay, TheEscRightAfterADriveSearchIsSwallowedOnce) {
  PlainDisplayFixture f;
  f.picture("one.bmp");
  f.viewer->CheckBox1->setChecked(true);
  f.viewer->DriveComboBox1->setDrive(f.drive.path());
  f.viewer->Button5Click();
  ASSERT_TRUE(f.viewer->SkipNextKey);
  const auto pressEsc = [&f] {
    QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(f.viewer->Button5, &esc);
  };
  const int processedBefore = f.ui.processed();
  pressEsc();
  EXPECT_FALSE(f.viewer->SkipNextKey);
  EXPECT_EQ(f.ui.processed(), processedBefore) << "the first Esc is swallowed";
  pressEsc();
  EXPECT_GT(f.ui.processed(), processedBefore);
}

TEST(GraphicDisplay, TheRightButtonOnThePictureOpensThePopupOrTheFileDetails) {
  PlainDisplayFixture f;
  f.select({f.picture("a.bmp", {64, 48})});
  f.display();
  f.viewer->Image1MouseDown(Qt::RightButton);
  EXPECT_TRUE(f.viewer->PopupMenu1->isVisible());
  QStringList entries;
  for (QAction* entry : f.viewer->PopupMenu1->actions()) entries << entry->text();
  EXPECT_EQ(entries,
            QStringList({"&Next", "&Previous", "&File Details", "Cop&y to Clipboard  (Ctl+C)",
                         "&Stop", "Sli&de Show On", "&Cancel"}));
  EXPECT_EQ(f.platform.pointer.places.back(), f.screenCentre());
  f.viewer->PopupMenu1->hide();
  f.viewer->Cancel1Click();
  EXPECT_EQ(f.platform.pointer.places.back(), QPoint(521 + 5, 389 + 5));

  f.viewer->Exit1Click();
  f.viewer->CheckBox3->setChecked(true);
  f.display();
  f.viewer->Image1MouseDown(Qt::RightButton);
  EXPECT_TRUE(f.ui.texts().last().contains("Graphic Height: 48\rGraphic Width:  64"));
}

TEST(GraphicDisplay, YesAtTheFailurePromptWithNoShowLeavesTheWindowFreeAsStopDoes) {
  PlainDisplayFixture f;
  QFile(f.file("x.fif")).open(QIODevice::WriteOnly);
  f.select({f.file("x.fif")});
  f.viewer->OriginalSize->setChecked(true);
  f.ui.expectQuestion(Answer::Yes);
  f.display();
  EXPECT_FALSE(f.viewer->menuBar()->isHidden());
  for (QWidget* control : std::initializer_list<QWidget*>{f.viewer->Button1, f.viewer->Button3,
                                                          f.viewer->Button4, f.viewer->Button5})
    EXPECT_TRUE(control->isEnabled()) << control->objectName().toStdString();
  for (QMenu* menu : {f.viewer->File1, f.viewer->Tools1, f.viewer->Help1})
    EXPECT_TRUE(menu->menuAction()->isEnabled());
  f.ui.expectOpenFiles({f.picture("a.bmp")});
  f.viewer->Button1->click();
  EXPECT_EQ(f.lines(), QStringList{f.file("a.bmp").toLower()});
}

// Pictures the decompression library can read but not afford: the viewer
// says so and goes on.
TEST(GraphicDisplay, AFifPictureTooLargeToDecodeBringsThePrompt) {
  ViewerFixture f;
  GraphicFormats& formats = GraphicFormats::Standard();
  ASSERT_TRUE(RegisterFifFormat(formats, DECO32_LIBRARY));
  const auto bytes = flatPicture(20000, 20000);
  QFile file(f.file("huge.fif"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size()));
  file.close();
  f.select({f.file("huge.fif")});
  f.ui.expectQuestion(Answer::No);
  f.viewer->Button2Click(f.viewer->Button2);
  UnregisterFifFormat(formats);
  EXPECT_TRUE(f.ui.texts().last().startsWith("Sorry, unable to display the above file"));
  EXPECT_TRUE(f.viewer->Image1->isHidden());
}

// The window's face shows through a bitmap's background colour, which is the
// colour of its bottom-left pixel.
TEST(GraphicDisplay, ABitmapIsDrawnWithItsBackgroundColourTransparent) {
  PlainDisplayFixture f;
  QImage image(QSize(2, 2), QImage::Format_RGB32);
  image.fill(Qt::red);
  image.setPixel(1, 0, qRgb(0, 0, 255));
  image.save(f.file("keyed.bmp"), "BMP");
  f.viewer->CheckBox3->setChecked(true);
  f.select({f.file("keyed.bmp")});
  f.display();
  const QImage shown = f.viewer->client()->grab(f.viewer->Image1->geometry()).toImage();
  EXPECT_EQ(shown.pixelColor(10, shown.height() - 10),
            f.viewer->client()->palette().color(QPalette::Window));
  EXPECT_EQ(shown.pixelColor(shown.width() - 10, 10), QColor(Qt::blue));
}

TEST(GraphicDisplay, ACutBitmapKeepsItsBackgroundTransparent) {
  PlainDisplayFixture f;
  QImage image(QSize(2400, 40), QImage::Format_RGB32);
  image.fill(Qt::red);
  image.save(f.file("wide.bmp"), "BMP");
  f.viewer->CheckBox3->setChecked(true);
  f.select({f.file("wide.bmp")});
  f.display();
  const QImage shown = f.viewer->client()->grab(f.viewer->Image1->geometry()).toImage();
  EXPECT_EQ(shown.pixelColor(10, 10), f.viewer->client()->palette().color(QPalette::Window));
}

// The list view comes back whole on the way back from the taskbar, whatever
// shape the picture gave the window.
TEST(GraphicDisplay, MinimizingAPictureReturnsTheWindowToItsListView) {
  PlainDisplayFixture f;
  f.select({f.picture("a.bmp")});
  for (QRadioButton* size : {f.viewer->FitWindow, f.viewer->FillScreen}) {
    size->setChecked(true);
    f.display();
    f.viewer->setWindowState(Qt::WindowMinimized);
    EXPECT_FALSE(f.platform.taskbar.hidden());
    EXPECT_FALSE(f.platform.taskbar.screenSaverInhibited());
    f.viewer->setWindowState(Qt::WindowNoState);
    EXPECT_FALSE(f.borderless());
    EXPECT_FALSE(f.viewer->isFullScreen());
    EXPECT_EQ(f.client(), QSize(521, 389));
    EXPECT_FALSE(f.viewer->Panel1->isHidden());
    EXPECT_FALSE(f.viewer->menuBar()->isHidden());
    EXPECT_TRUE(f.viewer->File1->menuAction()->isEnabled());
    EXPECT_FALSE(f.viewer->ListBox1->isHidden());
  }
}

// With every control hidden under the picture, no control has the focus and
// keys come to the window itself, one after another at the same moment when
// a program types them.
TEST(GraphicDisplay, KeysThatReachTheWindowItselfCopyAndEndTheDisplay) {
  PlainDisplayFixture f;
  f.select({f.picture("a.bmp")});
  f.display();
  f.viewer->setFocus();
  QKeyEvent copy(QEvent::KeyPress, Qt::Key_C, Qt::ControlModifier);
  QApplication::sendEvent(f.viewer, &copy);
  EXPECT_TRUE(f.state().ClipboardDataPresent);
  QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QApplication::sendEvent(f.viewer, &escape);
  EXPECT_TRUE(f.viewer->Image1->isHidden());
}

TEST(GraphicDisplay, CtrlCOnTheListCopiesNothing) {
  ViewerFixture f;
  f.select({f.picture("a.bmp")});
  QGuiApplication::clipboard()->setText("before");
  QKeyEvent copy(QEvent::KeyPress, Qt::Key_C, Qt::ControlModifier);
  QApplication::sendEvent(f.viewer->ListBox1, &copy);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "before");
}

TEST(GraphicDisplay, TurningTvLookOnStoresTheListColour) {
  PlainDisplayFixture f;
  f.viewer->Look->showColour(QColor(0, 128, 0));
  f.viewer->CheckBox3->setChecked(true);
  EXPECT_EQ(f.state().settings.Colour, settingFromColour(QColor(0, 128, 0)));
}

}  // namespace
