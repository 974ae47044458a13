#pragma once

#include <QPoint>

#include "program/form.h"

class QMenu;
class TForm4;

// The full-screen video window: borderless, black, the size of the screen,
// with a small menu of its own on the right mouse button.
class TForm16 : public Form {
  Q_OBJECT
 public:
  explicit TForm16(Program& program);

  void FormActivate() override;
  void FormClose() override;
  void FormKeyPress(int key);
  void FormMouseDown(Qt::MouseButton button);
  void PopupMenu1Popup();
  void Next1Click();
  void Previous1Click();
  void FileDetails1Click();
  void Exit1Click();  // &Stop
  void Cancel1Click();

  // Fits the window to the whole screen before each use.
  void sizeToScreen();

  // 1 normally; 0 while the file-details box is open, when playback leaves the window alone.
  int Tag = 1;
  // The file whose details are shown; empty when no details box is open.
  QString FullScreenDetailsFile;

  QMenu* PopupMenu1;
  QAction* Next1;
  QAction* Previous1;
  QAction* FileDetails1;
  QAction* Exit1;
  QAction* Cancel1;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  void createMenu();
  TForm4& media() const;
  QRect screenArea() const;
  QPoint screenCentre() const;
  // The pointer goes to the bottom-right corner, off the picture.
  void parkPointer();
};
