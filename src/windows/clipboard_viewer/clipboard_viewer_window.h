#pragma once

#include <QMainWindow>

class PictureView;
class QAction;
class QLabel;
class QPlainTextEdit;
class QScrollArea;
class QStackedWidget;
struct ClipboardContents;

// Shows what the clipboard holds and follows every change to it. It only
// reads: the clipboard is never taken over, so closing changes nothing.
class ClipboardViewerWindow : public QMainWindow {
  Q_OBJECT
 public:
  ClipboardViewerWindow();

  // Reads the clipboard again and shows what it offers now.
  void Refresh();

 private:
  void createMenu();
  void display(const ClipboardContents& contents);
  void showMessage(const QString& message);
  void RealSize1Click(bool realSize);

  QStackedWidget* pages_;
  QScrollArea* pictureScroller_;
  PictureView* picture_;
  QPlainTextEdit* text_;
  QLabel* message_;
  QLabel* formats_;
  QAction* realSize_;
};
