#pragma once

#include "program/form.h"

class QLineEdit;
class QToolButton;

// Arrows beside an edit field that step the whole number in it between a
// minimum and a maximum.
class UpDown : public QWidget {
  Q_OBJECT
 public:
  UpDown(QLineEdit* associate, QWidget* parent);

  void setRange(int minimum, int maximum);
  int Max() const { return max_; }
  int Position() const { return position_; }
  void step(int by);

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  QLineEdit* associate_;
  QToolButton* up_;
  QToolButton* down_;
  int min_ = 1;
  int max_ = 99;
  int position_ = 1;
};

// Plays one CD track chosen by number, the way to tracks above 30.
class TForm5 : public Form {
  Q_OBJECT
 public:
  explicit TForm5(Program& program);

  void FormActivate() override;
  void Edit1Change();
  // Returns true when the key was used.
  bool Edit1KeyPress(int key);
  void Button1Click();  // &Play Track
  void BitBtn1Click();  // Cancel

  QLabel* Label1;  // the prompt
  QLineEdit* Edit1;
  UpDown* UpDown1;
  QPushButton* Button1;
  QPushButton* BitBtn1;

 protected:
  bool FormEventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  int trackCount() const;
};
