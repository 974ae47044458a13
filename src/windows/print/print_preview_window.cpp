#include "windows/print/print_preview_window.h"

#include <QCheckBox>
#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QRadioButton>

#include "program/forms.h"
#include "windows/print/page_layout.h"
#include "windows/print/page_printer.h"
#include "windows/print/print_options_dialog.h"

TForm14::TForm14(Program& program) : Form(program, "Corvela Pro Print Preview", QSize(342, 485)) {
  setWindowFlag(Qt::FramelessWindowHint);
  setToolTip("Single Click Right Mouse Button To Close This Window");
  Image1 = label("Image1", QString(), QRect(QPoint(0, 0), client()->size()));
  Image1->setAccessibleName("Print preview");
  Image1->installEventFilter(this);
  exposeToAccessibility();
}

void TForm14::FormShow() {
  TForm13& options = *program_.forms.Form13;
  const bool portrait = options.Label6->text() == "Portrait Mode";
  options.hide();
  const QSize window = PreviewWindowSize(options.Printer->pageSize(), portrait);
  client()->setFixedSize(window);
  Image1->setGeometry(QRect(QPoint(0, 0), window));
  centreOnScreen();
  drawPreview(window);
}

void TForm14::drawPreview(QSize window) {
  const TForm13& options = *program_.forms.Form13;
  QPixmap page(window);
  page.fill(Qt::white);
  QPainter painter(&page);
  const PageLayout layout = PreviewLayout(window, options.Picture.size, options.ModalResult,
                                          options.CheckBox1->isChecked());
  DrawPage(painter, layout, options.Picture,
           options.DetailsText("Path & Filename details", "Filename only"));
  painter.end();
  Image1->setPixmap(page);
}

bool TForm14::FormEventFilter(QObject* watched, QEvent* event) {
  if (watched == Image1 && event->type() == QEvent::MouseButtonPress) hide();
  return false;
}

void TForm14::keyPressEvent(QKeyEvent*) { hide(); }

void TForm14::mousePressEvent(QMouseEvent*) { hide(); }

// Set up as it opens rather than when it is activated: not every window
// manager activates a window that is shown.
void TForm14::showEvent(QShowEvent* event) {
  Form::showEvent(event);
  FormShow();
}

// However it closes, the options dialog comes back keeping its settings.
void TForm14::hideEvent(QHideEvent* event) {
  Form::hideEvent(event);
  TForm13& options = *program_.forms.Form13;
  options.ReturningFromPreview = TForm13::BackFromPreview;
  options.show();
}
