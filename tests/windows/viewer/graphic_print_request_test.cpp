#include <QApplication>
#include <QCheckBox>
#include <QMouseEvent>
#include <QRadioButton>

#include "../print/fake_printer.h"
#include "services/media_device/media_device.h"
#include "viewer_fixture.h"
#include "windows/media/media_player_window.h"
#include "windows/print/print_options_dialog.h"
#include "windows/viewer/picture_area.h"

namespace {

QRect edges(int left, int top, int right, int bottom) {
  return QRect(QPoint(left, top), QSize(right - left, bottom - top));
}

struct ViewerPrint : ViewerFixture {
  ViewerPrint() {
    auto fake = std::make_unique<FakePrinter>();
    printer = fake.get();
    options = forms().Form13.get();
    options->Printer = std::move(fake);
  }
  void show(const QString& path) {
    select({path});
    viewer->Button2Click(viewer->Button2);
    ui.clear();
  }
  // The options dialog as the user meets it: activated, then the script.
  void whenOptionsOpen(std::function<void(TForm13&)> script) {
    ui.onModal([script](QWidget* window) { script(*static_cast<TForm13*>(window)); });
  }

  FakePrinter* printer = nullptr;
  TForm13* options = nullptr;
};

TEST(ViewerPrint, ASmallPicturePrintsAtZoomTenFromTheMargin) {
  ViewerPrint f;
  f.show(f.picture("small.bmp", {90, 90}));
  f.whenOptionsOpen([](TForm13& options) {
    EXPECT_TRUE(options.RadioButton4->isChecked()) << "x 1&0";
    options.Button1->click();
  });
  f.viewer->Button18->click();
  ASSERT_EQ(f.printer->jobs, QStringList{"Corvela Pro Graphic Print"});
  EXPECT_EQ(f.printer->printed.boundingRect(), edges(50, 50, 1850, 1850));
  EXPECT_EQ(f.ui.cursor(), ScreenCursor::Normal);
}

TEST(ViewerPrint, ACentredFitToPagePrintCoversExactlyThePage) {
  ViewerPrint f;
  f.show(f.picture("a.bmp", {300, 200}));
  f.whenOptionsOpen([](TForm13& options) {
    options.RadioButton11->click();
    options.CheckBox1->setChecked(true);
    options.Button1->click();
  });
  f.viewer->Button18Click();
  EXPECT_EQ(f.printer->printed.boundingRect(), edges(0, 0, 4800, 6800));
}

TEST(ViewerPrint, WithoutAShownPictureThePrintButtonOnlySaysSo) {
  ViewerPrint f;
  f.select({f.picture("a.bmp")});
  f.ui.clear();
  f.viewer->Button18Click();
  EXPECT_EQ(f.ui.texts(), QStringList{"You must display a graphic before you can print it."});
  EXPECT_TRUE(f.printer->jobs.isEmpty());
}

TEST(ViewerPrint, AnIconIsRefusedBeforeTheDialog) {
  ViewerPrint f;
  QImage icon(32, 32, QImage::Format_ARGB32);
  icon.fill(Qt::red);
  icon.save(f.file("sign.ico"), "ICO");
  f.show(f.file("sign.ico"));
  f.viewer->Button18Click();  // no modal script: the dialog must not open
  EXPECT_EQ(f.ui.texts(), QStringList{"Sorry, cannot print Icons."});
  EXPECT_TRUE(f.printer->jobs.isEmpty());
}

TEST(ViewerPrint, APictureWiderThanThePageSuggestsLandscapeAndAbortPrintsNothing) {
  ViewerPrint f;
  f.printer->page = QSize(300, 400);
  f.show(f.picture("wide.bmp", {301, 20}));
  f.whenOptionsOpen([](TForm13& options) { options.Button2->click(); });
  f.viewer->Button18Click();
  EXPECT_EQ(f.ui.texts(), QStringList{"Landscape mode is suggested for this printout"});
  EXPECT_TRUE(f.printer->jobs.isEmpty());
}

TEST(ViewerPrint, CancellingPrinterSetupAbandonsThePrint) {
  ViewerPrint f;
  f.printer->setupConfirmed = false;
  f.show(f.picture("a.bmp"));
  f.whenOptionsOpen([](TForm13& options) {
    options.Button4->click();
    EXPECT_TRUE(options.isHidden());
  });
  f.viewer->Button18Click();
  EXPECT_EQ(f.printer->setups, 1);
  EXPECT_TRUE(f.printer->jobs.isEmpty());
}

TEST(ViewerPrint, WhileSoundPlaysTheRequestAsksFirstAndNoStopsIt) {
  ViewerPrint f;
  f.show(f.picture("a.bmp"));
  f.devices.addFile("/music/song.wav", 60000);
  MediaDevice& sound = *f.forms().Form4->MediaPlayer1;
  sound.open("/music/song.wav");
  sound.play();
  f.ui.expectQuestion(Answer::No);
  f.viewer->Button18Click();
  ASSERT_EQ(f.ui.shown().size(), 1u);
  EXPECT_EQ(f.ui.shown()[0].caption, "Print Request");
  EXPECT_EQ(f.ui.shown()[0].text,
            "You are playing a CD or sound file and some systems\rwill not cope well with "
            "Printing in this situation!\r\rAre you sure you wish to continue with the Print "
            "option?");
  EXPECT_TRUE(f.printer->jobs.isEmpty());

  f.ui.expectQuestion(Answer::Yes);
  f.whenOptionsOpen([](TForm13& options) { options.Button1->click(); });
  f.viewer->Button18Click();
  EXPECT_EQ(f.printer->jobs.size(), 1);
}

TEST(ViewerPrint, AJobFailingAfterADoubleClickOnThePictureIsShownAndTheProgramGoesOn) {
  ViewerPrint f;
  f.printer->fails = true;
  f.show(f.picture("a.bmp"));
  f.whenOptionsOpen([](TForm13& options) { options.Button1->click(); });
  const QPointF at(5, 5);
  QMouseEvent doubleClick(QEvent::MouseButtonDblClick, at, at, Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
  EXPECT_NO_THROW(QApplication::sendEvent(f.viewer->Image1, &doubleClick));
  ASSERT_EQ(f.ui.shown().size(), 1u);
  EXPECT_EQ(f.ui.shown()[0].box, UiDouble::Box::Error);
  EXPECT_EQ(f.ui.shown()[0].text, "The printer could not start the print job.");
  EXPECT_FALSE(f.viewer->Image1->isHidden()) << "the picture stays shown";
}

TEST(ViewerPrint, NothingHappensWithoutTvLook) {
  ViewerPrint f;
  f.show(f.picture("a.bmp"));
  f.viewer->CheckBox3->setChecked(false);
  f.viewer->PrintRequest();
  EXPECT_TRUE(f.ui.shown().empty());
  EXPECT_TRUE(f.printer->jobs.isEmpty());
}

}  // namespace
