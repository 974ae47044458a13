#include "windows/print/print_options_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "platform/ui_services.h"
#include "program/forms.h"
#include "windows/print/page_printer.h"
#include "windows/print/print_preview_window.h"

namespace {

struct ZoomOption {
  QRadioButton* TForm13::*control;
  const char* name;
  const char* caption;
  int zoom;
  QRect place;
};

const ZoomOption ZoomOptions[] = {
    {&TForm13::RadioButton1, "RadioButton1", "x &2", 2, QRect(16, 80, 60, 17)},
    {&TForm13::RadioButton2, "RadioButton2", "x &4", 4, QRect(16, 100, 60, 17)},
    {&TForm13::RadioButton9, "RadioButton9", "x &6", 6, QRect(16, 120, 60, 17)},
    {&TForm13::RadioButton3, "RadioButton3", "x &8", 8, QRect(88, 80, 60, 17)},
    {&TForm13::RadioButton4, "RadioButton4", "x 1&0", 10, QRect(88, 100, 60, 17)},
    {&TForm13::RadioButton10, "RadioButton10", "x &12", 12, QRect(88, 120, 60, 17)},
    {&TForm13::RadioButton5, "RadioButton5", "&Original ", 1, QRect(160, 80, 90, 17)},
    {&TForm13::RadioButton11, "RadioButton11", "&Fit To Page", FitToPage, QRect(160, 100, 90, 17)},
};

}  // namespace

TForm13::TForm13(Program& program)
    : Form(program, "Corvela Pro Graphic Print", QSize(281, 297)),
      Printer(std::make_unique<QtPagePrinter>()),
      zoomGroup_(new QButtonGroup(this)),
      detailsGroup_(new QButtonGroup(this)) {
  // A fixed dialog without title-bar buttons.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  Label1 = label("Label1", "Graphic Height:", QRect(16, 12, 90, 16));
  Label3 = label("Label3", QString(), QRect(110, 12, 60, 16));
  Label2 = label("Label2", "Graphic Width:", QRect(16, 32, 90, 16));
  Label4 = label("Label4", QString(), QRect(110, 32, 60, 16));
  Label6 = label("Label6", "Portrait Mode", QRect(180, 22, 95, 16));
  Label5 = label("Label5", "Zoom Print Options", QRect(16, 58, 150, 16));
  createZoomOptions();
  CheckBox1 = checkBox("CheckBox1", "&Centre Print On Page", {}, QRect(16, 146, 180, 17));
  createDetailsOptions();
  createButtons();
  centreOnScreen();
  exposeToAccessibility();
}

TForm13::~TForm13() = default;

void TForm13::createZoomOptions() {
  for (const ZoomOption& option : ZoomOptions) {
    QRadioButton* control = radioButton(option.name, option.caption, {}, option.place);
    this->*option.control = control;
    zoomGroup_->addButton(control);
    const int zoom = option.zoom;
    handle(control, &QRadioButton::toggled, [this, zoom](bool on) {
      if (!on) return;
      if (zoom == FitToPage)
        RadioButton11Click();
      else
        ZoomClick(zoom);
    });
  }
}

void TForm13::createDetailsOptions() {
  RadioButton6 = radioButton("RadioButton6", "Print F&ull Path", {}, QRect(16, 172, 160, 17));
  RadioButton7 = radioButton("RadioButton7", "Print File&name Only", {}, QRect(16, 192, 160, 17));
  RadioButton8 = radioButton("RadioButton8", "No file &details", {}, QRect(16, 212, 160, 17));
  for (QRadioButton* option : {RadioButton6, RadioButton7, RadioButton8}) {
    detailsGroup_->addButton(option);
    handle(option, &QRadioButton::clicked, &TForm13::focusPreview);
  }
  RadioButton8->setChecked(true);
}

void TForm13::createButtons() {
  Button4 = button("Button4", "Printer &Setup", {}, QRect(16, 240, 120, 23));
  Button3 = button("Button3", "Print Prie&vew", {}, QRect(145, 240, 120, 23));
  Button1 = button("Button1", "&Print", {}, QRect(16, 268, 120, 23));
  Button2 = button("Button2", "&Abort", {}, QRect(145, 268, 120, 23));
  handle(Button4, &QPushButton::clicked, &TForm13::Button4Click);
  handle(Button3, &QPushButton::clicked, &TForm13::Button3Click);
  handle(Button1, &QPushButton::clicked, &TForm13::Button1Click);
  handle(Button2, &QPushButton::clicked, &TForm13::Button2Click);
}

int TForm13::Execute(PrintedPicture picture) {
  Picture = std::move(picture);
  ModalResult = Abandoned;
  ReturningFromPreview = 0;
  program_.ui.showModal(this);
  return ModalResult;
}

void TForm13::PrintPicture(int zoom) {
  const PageLayout layout =
      PrintLayout(Printer->pageSize(), Picture.size, zoom, CheckBox1->isChecked());
  const QString details = DetailsText(Picture.fullPath, Picture.fileName);
  const QString file = Printer->printPage("Corvela Pro Graphic Print", [&](QPainter& painter) {
    DrawPage(painter, layout, Picture, details);
  });
  // A page that became a file is only found when the user is told where.
  if (!file.isEmpty())
    program_.ui.messageDlg(MessageKind::Information,
                           "The print has been saved in the file\r\r" + file);
}

void TForm13::FormActivate() {
  program_.ui.setCursor(ScreenCursor::Normal);
  if (ReturningFromPreview != BackFromPreview) {
    showOrientation();
    Label3->setText(QString::number(Picture.size.height()));
    Label4->setText(QString::number(Picture.size.width()));
    ZoomFactor = PreselectedZoom(Picture.size);
    zoomOption(ZoomFactor)->setChecked(true);
  }
  ReturningFromPreview = 0;
  if (isVisible()) focusPreview();
}

void TForm13::showOrientation() {
  Label6->setText(IsPortrait(Printer->pageSize()) ? "Portrait Mode" : "Landscape Mode");
}

QRadioButton* TForm13::zoomOption(int zoom) const {
  for (const ZoomOption& option : ZoomOptions)
    if (option.zoom == zoom) return this->*option.control;
  return RadioButton5;
}

void TForm13::ZoomClick(int zoom) {
  chooseNoDetails(true);
  ZoomFactor = zoom;
  focusPreview();
}

// Fit To Page leaves no room for file details.
void TForm13::RadioButton11Click() {
  chooseNoDetails(false);
  ZoomFactor = FitToPage;
  focusPreview();
}

void TForm13::chooseNoDetails(bool detailsEnabled) {
  RadioButton8->setChecked(true);
  for (QRadioButton* option : {RadioButton6, RadioButton7, RadioButton8})
    option->setEnabled(detailsEnabled);
}

void TForm13::focusPreview() { Button3->setFocus(); }

void TForm13::Button4Click() {
  // The toolkit activates the dialog again as the printer's dialog closes:
  // that activation keeps the settings, as the preview's return does.
  ReturningFromPreview = BackFromPreview;
  if (Printer->setup(this)) {
    showOrientation();
    return;
  }
  ModalResult = Abandoned;
  hide();
}

void TForm13::Button1Click() {
  ModalResult = ZoomFactor;
  hide();
}

void TForm13::Button3Click() {
  ModalResult = ZoomFactor;
  program_.ui.showModal(program_.forms.Form14.get());
}

void TForm13::Button2Click() {
  abandon();
  hide();
}

// Closed by the window manager (its close button, Alt+F4): the user leaves
// the print as with Abort, whatever the preview chose before.
void TForm13::FormClose() { abandon(); }

void TForm13::abandon() {
  ModalResult = Abandoned;
  ReturningFromPreview = 0;
}

QString TForm13::DetailsText(const QString& fullPath, const QString& fileName) const {
  if (RadioButton6->isChecked()) return fullPath;
  if (RadioButton7->isChecked()) return fileName;
  return QString();
}
