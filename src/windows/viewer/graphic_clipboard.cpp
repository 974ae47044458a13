// Copying the shown picture to the clipboard and starting the clipboard viewer
// (icons are never copied), and the commands' connections with printing's.
#include <QAction>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>

#include "platform/platform_services.h"
#include "platform/shell.h"
#include "platform/ui_services.h"
#include "program/program_state.h"
#include "windows/viewer/graphics_viewer_window.h"
#include "windows/viewer/picture_area.h"

namespace {

const char* const NoIcons = "The Clipboard does not support Icons";

}  // namespace

void TForm9::connectClipboardAndPrint() {
  handle(CopytoClipboard1, &QAction::triggered, &TForm9::CopytoClipboard1Click);
  handle(CopyCtlC1, &QAction::triggered, &TForm9::CopyCtlC1Click);
  handle(DisplayClipboardViewer1, &QAction::triggered, &TForm9::DisplayClipboardViewer1Click);
  handle(Edit2, &QMenu::aboutToShow, &TForm9::Edit2Click);
  handle(Button18, &QPushButton::clicked, &TForm9::Button18Click);
}

bool TForm9::currentIsIcon() const {
  if (Pictures->CurrentIndex < 0 || Pictures->CurrentIndex >= ListBox1->count()) return false;
  const QString line = ListBox1->item(Pictures->CurrentIndex)->text();
  return line.mid(line.lastIndexOf('.')) == ".ico";
}

void TForm9::copyPicture() {
  Image1->copyToClipboard();
  program_.state.ClipboardDataPresent = true;
}

bool TForm9::FormKeyDown(int key, Qt::KeyboardModifiers modifiers) {
  if (!Pictures->pictureShown() || !(modifiers & Qt::ControlModifier) || key != Qt::Key_C)
    return false;
  if (currentIsIcon()) {
    CopyCtlC1->setEnabled(false);
    program_.ui.showMessage(NoIcons);
  } else {
    copyPicture();
  }
  return true;
}

void TForm9::CopytoClipboard1Click() { FormKeyDown(Qt::Key_C, Qt::ControlModifier); }

void TForm9::Edit2Click() {
  const bool shown = Pictures->pictureShown();
  if (shown && currentIsIcon()) {
    CopyCtlC1->setEnabled(false);
    program_.ui.showMessage(NoIcons);
    return;
  }
  CopyCtlC1->setEnabled(shown);
}

// The menu's opening has already disabled Copy for icons.
void TForm9::CopyCtlC1Click() {
  if (Pictures->pictureShown()) copyPicture();
}

void TForm9::DisplayClipboardViewer1Click() {
  switch (program_.platform.shell.startProgram("corvela-clipboard")) {
    case ProgramStart::Started:
      return;
    case ProgramStart::NotFound:
      program_.ui.messageDlg(MessageKind::Warning,
                             "Clipboard Viewer Not Found.\r\rEnsure that it has been setup.");
      return;
    case ProgramStart::Failed:
      program_.ui.showMessage("Unable to load Clipboard Viewer");
      return;
  }
}
