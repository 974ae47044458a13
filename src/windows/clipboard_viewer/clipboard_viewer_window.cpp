#include "windows/clipboard_viewer/clipboard_viewer_window.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QStackedWidget>
#include <QStatusBar>

#include "windows/clipboard_viewer/clipboard_contents.h"
#include "windows/clipboard_viewer/picture_view.h"

ClipboardViewerWindow::ClipboardViewerWindow()
    : pages_(new QStackedWidget(this)),
      pictureScroller_(new QScrollArea),
      picture_(new PictureView),
      text_(new QPlainTextEdit),
      message_(new QLabel),
      formats_(new QLabel) {
  setWindowTitle("Corvela Pro Clipboard Viewer");
  resize(520, 400);
  pictureScroller_->setWidget(picture_);
  pictureScroller_->setWidgetResizable(true);
  text_->setReadOnly(true);
  text_->setAccessibleName("Clipboard text");
  message_->setAlignment(Qt::AlignCenter);
  message_->setWordWrap(true);
  for (QWidget* page : {static_cast<QWidget*>(pictureScroller_), static_cast<QWidget*>(text_),
                        static_cast<QWidget*>(message_)})
    pages_->addWidget(page);
  setCentralWidget(pages_);
  formats_->setWordWrap(true);
  formats_->setAccessibleDescription("Formats offered");
  statusBar()->addWidget(formats_, 1);
  createMenu();
  connect(QApplication::clipboard(), &QClipboard::dataChanged, this,
          &ClipboardViewerWindow::Refresh);
  Refresh();
}

void ClipboardViewerWindow::createMenu() {
  QMenu* view = menuBar()->addMenu("&View");
  realSize_ = view->addAction("&Real Size");
  realSize_->setCheckable(true);
  connect(realSize_, &QAction::toggled, this, &ClipboardViewerWindow::RealSize1Click);
  view->addSeparator();
  QAction* close = view->addAction("&Close");
  close->setShortcut(QKeySequence::Close);
  connect(close, &QAction::triggered, this, &QWidget::close);
}

void ClipboardViewerWindow::Refresh() {
  display(ReadClipboard(QApplication::clipboard()->mimeData()));
}

void ClipboardViewerWindow::display(const ClipboardContents& contents) {
  const QString metafile = MetafileLine(contents);
  QString offered =
      "Offered: " + (contents.formats.isEmpty() ? QString("nothing") : contents.formats.join(", "));
  // A metafile offered beside its picture is named above the formats.
  if (!contents.picture.isNull() && !metafile.isEmpty()) offered.prepend(metafile + "\n");
  formats_->setText(offered);
  picture_->setPicture(contents.picture);
  if (!contents.picture.isNull()) {
    pages_->setCurrentWidget(pictureScroller_);
  } else if (!metafile.isEmpty()) {
    showMessage(metafile);
  } else if (!contents.text.isEmpty()) {
    text_->setPlainText(contents.text);
    pages_->setCurrentWidget(text_);
  } else {
    showMessage(contents.formats.isEmpty() ? "The clipboard is empty."
                                           : "Nothing offered can be shown here.");
  }
}

void ClipboardViewerWindow::showMessage(const QString& message) {
  message_->setText(message);
  pages_->setCurrentWidget(message_);
}

void ClipboardViewerWindow::RealSize1Click(bool realSize) {
  picture_->setRealSize(realSize);
  pictureScroller_->setWidgetResizable(!realSize);
  if (realSize) picture_->adjustSize();
}
