#pragma once

#include "program/form.h"

class QButtonGroup;
class QGroupBox;
class QTabWidget;

// Chooses how often the CD player checks the drive: the normal setting or an
// interval of 2 to 10 seconds, for this run or for every run.
class TForm6 : public Form {
  Q_OBJECT
 public:
  explicit TForm6(Program& program);

  void FormActivate() override;
  void RadioGroup1Click();
  void BitBtn2Click();  // &OK
  void BitBtn1Click();  // &Abort
  void CheckBox1Click();
  void FormClose() override;

  QGroupBox* RadioGroup1;
  QButtonGroup* RadioGroup1Items;  // item index = setting value
  QTabWidget* PageControl1;
  QLabel* Label1;  // first tab's text
  QLabel* Label2;  // second tab's text
  QCheckBox* CheckBox1;  // &Check for CD Ejection whilst playing
  QLabel* Label3;  // its note
  QPushButton* BitBtn2;  // &OK
  QPushButton* BitBtn1;  // &Abort

 private:
  void createRadioGroup();
  void createPages();
  void selectItem(int index);
  void setDisplayInterval(int status);

  int RememberedStatus = 0;
  bool Aborted = false;
};
