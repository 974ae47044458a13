#pragma once

#include "program/form.h"

// The print preview: a borderless sketch of the printed page, scaled down,
// with a placeholder where the file details would go. Any key or click closes
// it and brings the print options back with their settings.
class TForm14 : public Form {
  Q_OBJECT
 public:
  explicit TForm14(Program& program);

  // Sizes the window to the page and draws the preview as the window opens.
  void FormShow();

  QLabel* Image1;

 protected:
  bool FormEventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void drawPreview(QSize window);
};
