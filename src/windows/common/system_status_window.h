#pragma once

#include "program/form.h"

// The system status report: memory, swap and processor, refreshed on request.
class TForm2 : public Form {
  Q_OBJECT
 public:
  explicit TForm2(Program& program);

  void FormActivate() override;
  void BitBtn1Click();  // &Refresh
  void BitBtn2Click();  // &OK
  void FormClose() override;

  QLabel* Label1;  // total memory
  QLabel* Label2;  // available memory
  QLabel* Label3;  // available swap
  QLabel* Label4;  // processor
  QLabel* Image1;
  QPushButton* BitBtn1;
  QPushButton* BitBtn2;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};
