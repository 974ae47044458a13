#pragma once

#include "program/form.h"

// The About window. It exists, hidden, for as long as the program runs.
class TForm3 : public Form {
  Q_OBJECT
 public:
  explicit TForm3(Program& program);

  void BitBtn1Click();  // &OK
  void FormClose() override;

  QLabel* Image1;
  QLabel* Label1;  // the program's name
  QLabel* Memo1;  // the text panel
  QPushButton* BitBtn1;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};
