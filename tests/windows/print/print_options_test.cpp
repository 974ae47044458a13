#include <gtest/gtest.h>
#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "fake_printer.h"
#include "program_fixture.h"
#include "windows/print/print_options_dialog.h"
#include "windows/print/print_preview_window.h"

namespace {

// The print options and the preview of a whole program on the doubles, with a
// red picture handed over as the viewer's print request hands it.
struct PrintOptions : ProgramFixture {
  PrintOptions() {
    start();
    options = forms().Form13.get();
    preview = forms().Form14.get();
    auto fake = std::make_unique<FakePrinter>();
    printer = fake.get();
    options->Printer = std::move(fake);
  }
  void open(QSize picture) {
    options->Picture = {
        picture, [](QPainter& painter, const QRect& rect) { painter.fillRect(rect, Qt::red); },
        "/pictures/a.bmp", "a.bmp"};
    options->show();
    options->FormActivate();
  }
  bool detailsEnabled() const {
    return options->RadioButton6->isEnabled() && options->RadioButton7->isEnabled() &&
           options->RadioButton8->isEnabled();
  }
  // Opens the preview; the script runs while it is up.
  void runPreview(std::function<void()> script) {
    ui.onModal([script](QWidget*) { script(); });
    options->Button3->click();
  }
  void pressKeyOnPreview() {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a");
    QApplication::sendEvent(preview, &press);
  }

  TForm13* options = nullptr;
  TForm14* preview = nullptr;
  FakePrinter* printer = nullptr;
};

TEST(PrintOptions, ActivationShowsThePictureAndPreselectsTheZoomBySize) {
  PrintOptions f;
  f.open({90, 70});
  EXPECT_EQ(f.options->Label3->text(), "70");
  EXPECT_EQ(f.options->Label4->text(), "90");
  EXPECT_EQ(f.options->Label6->text(), "Portrait Mode");
  EXPECT_TRUE(f.options->RadioButton4->isChecked());
  EXPECT_EQ(f.options->ZoomFactor, 10);
  f.open({600, 400});
  EXPECT_TRUE(f.options->RadioButton1->isChecked());
  EXPECT_EQ(f.options->ZoomFactor, 2);
  f.printer->page = QSize(6800, 4800);
  f.open({701, 10});
  EXPECT_TRUE(f.options->RadioButton5->isChecked());
  EXPECT_EQ(f.options->ZoomFactor, 1);
  EXPECT_EQ(f.options->Label6->text(), "Landscape Mode");
}

TEST(PrintOptions, FitToPageTakesAwayTheDetailsAndAZoomGivesThemBackUnchosen) {
  PrintOptions f;
  f.open({300, 300});
  f.options->RadioButton6->click();
  f.options->RadioButton11->click();
  EXPECT_EQ(f.options->ZoomFactor, FitToPage);
  EXPECT_TRUE(f.options->RadioButton8->isChecked());
  EXPECT_FALSE(f.detailsEnabled());
  f.options->RadioButton2->click();
  EXPECT_EQ(f.options->ZoomFactor, 4);
  EXPECT_TRUE(f.detailsEnabled());
  EXPECT_TRUE(f.options->RadioButton8->isChecked());
}

TEST(PrintOptions, PrintAndAbortGiveTheResult) {
  PrintOptions f;
  f.open({300, 300});
  f.options->Button1->click();
  EXPECT_EQ(f.options->ModalResult, 4);
  EXPECT_TRUE(f.options->isHidden());
  f.open({300, 300});
  f.options->Button2->click();
  EXPECT_EQ(f.options->ModalResult, TForm13::Abandoned);
}

TEST(PrintOptions, ConfirmedPrinterSetupJudgesTheOrientationAgainAndKeepsTheZoom) {
  PrintOptions f;
  f.open({300, 300});
  f.printer->page = QSize(6800, 4800);
  f.options->RadioButton3->click();  // x 8
  f.options->Button4->click();
  EXPECT_EQ(f.options->Label6->text(), "Landscape Mode");
  EXPECT_FALSE(f.options->isHidden());
  f.options->FormActivate();
  EXPECT_TRUE(f.options->RadioButton3->isChecked()) << "kept as the dialog comes back";
}

TEST(PrintOptions, ThePreviewIsSizedByItsDivisorsAndDrawsThePictureAndPlaceholder) {
  PrintOptions f;
  f.open({100, 80});
  f.options->RadioButton2->click();  // x 4
  f.options->RadioButton7->click();  // file name only
  f.runPreview([&f] {
    EXPECT_TRUE(f.options->isHidden());
    EXPECT_EQ(f.preview->client()->size(), QSize(342, 485));
    const QImage page = f.preview->Image1->pixmap().toImage();
    EXPECT_EQ(page.pixelColor(10, 10), QColor(Qt::red));
    EXPECT_EQ(page.pixelColor(105, 89), QColor(Qt::red));
    EXPECT_EQ(page.pixelColor(106, 50), QColor(Qt::white));
    EXPECT_EQ(page.pixelColor(50, 90), QColor(Qt::white));
    int dark = 0;
    for (int y = 92; y < 110; ++y)
      for (int x = 10; x < 80; ++x) dark += qGray(page.pixel(x, y)) < 128;
    EXPECT_GT(dark, 10) << "the placeholder under the picture";
    f.pressKeyOnPreview();
  });
  EXPECT_TRUE(f.preview->isHidden());
  EXPECT_FALSE(f.options->isHidden());
  EXPECT_EQ(f.options->ReturningFromPreview, TForm13::BackFromPreview);
}

TEST(PrintOptions, ComingBackFromThePreviewKeepsTheZoomAndDetails) {
  PrintOptions f;
  f.open({90, 90});
  f.options->RadioButton9->click();  // x 6
  f.options->RadioButton6->click();  // full path
  f.runPreview([&f] { f.pressKeyOnPreview(); });
  f.options->FormActivate();
  EXPECT_TRUE(f.options->RadioButton9->isChecked());
  EXPECT_TRUE(f.options->RadioButton6->isChecked());
  EXPECT_EQ(f.options->ZoomFactor, 6);
  EXPECT_EQ(f.options->ReturningFromPreview, 0);
  f.options->FormActivate();
  EXPECT_TRUE(f.options->RadioButton4->isChecked()) << "a fresh activation preselects again";
}

TEST(PrintOptions, AFittedPreviewFillsTheWindowWithoutText) {
  PrintOptions f;
  f.printer->page = QSize(6800, 4800);
  f.open({90, 90});
  f.options->RadioButton11->click();
  f.options->CheckBox1->setChecked(true);
  f.runPreview([&f] {
    EXPECT_EQ(f.preview->client()->size(), QSize(485, 342));
    const QImage page = f.preview->Image1->pixmap().toImage();
    EXPECT_EQ(page.pixelColor(0, 0), QColor(Qt::red));
    EXPECT_EQ(page.pixelColor(484, 341), QColor(Qt::red));
    f.preview->hide();
  });
}

}  // namespace
