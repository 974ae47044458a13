#pragma once

#include "program/form.h"

// The start-up reminder of the status checking setting and random play.
class TForm7 : public Form {
  Q_OBJECT
 public:
  explicit TForm7(Program& program);

  void FormActivate() override;
  void CheckBox1Click();
  void BitBtn1Click();  // &OK

  QLabel* Label1;  // heading
  QLabel* Label2;  // the reminder
  QCheckBox* CheckBox1;
  QPushButton* BitBtn1;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};
