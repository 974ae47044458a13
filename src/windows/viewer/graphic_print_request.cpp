// The print request: from the Print button or a double click on the picture,
// through the print options to one printed page.
#include <QCheckBox>
#include <QFileInfo>
#include <QPushButton>

#include "platform/ui_services.h"
#include "program/forms.h"
#include "windows/print/page_printer.h"
#include "windows/print/print_options_dialog.h"
#include "windows/print/printed_picture.h"
#include "windows/viewer/graphics_viewer_window.h"
#include "windows/viewer/picture_area.h"

void TForm9::Button18Click() {
  if (!Pictures->pictureShown()) {
    program_.ui.messageDlg(MessageKind::Information,
                           "You must display a graphic before you can print it.");
    Button2->setFocus();
    return;
  }
  PrintRequest();
}

PrintedPicture TForm9::printedPicture() {
  const QString path = pathOfCurrentFile();
  auto draw = [this](QPainter& painter, const QRect& rect) { Image1->drawPicture(painter, rect); };
  return {pictureSize(), draw, path, QFileInfo(path).fileName()};
}

void TForm9::PrintRequest() {
  UiServices& ui = program_.ui;
  activateWindow();
  if (!Pictures->TvLook || Pictures->showRunning()) return;
  if (program_.windows.soundPlaying() &&
      ui.askYesNo("Print Request",
                  "You are playing a CD or sound file and some systems\rwill not cope well with "
                  "Printing in this situation!\r\rAre you sure you wish to continue with the "
                  "Print option?") == Answer::No)
    return;
  if (currentIsIcon()) {
    ui.messageDlg(MessageKind::Information, "Sorry, cannot print Icons.");
    return;
  }
  TForm13& options = *program_.forms.Form13;
  if (pictureSize().width() > options.Printer->pageSize().width())
    ui.showMessage("Landscape mode is suggested for this printout");
  ui.setCursor(ScreenCursor::HourGlass);
  const int zoom = options.Execute(printedPicture());
  ui.setCursor(ScreenCursor::Normal);
  if (zoom == TForm13::Abandoned) return;
  // A double click starts this from the picture's event filter, where no
  // handler's guard would catch a failed job.
  guard([&options, zoom] { options.PrintPicture(zoom); });
}
