#pragma once

#include <memory>

#include "program/form.h"
#include "windows/print/printed_picture.h"

class PagePrinter;
class QButtonGroup;

// The print options: zoom, placement and file details, with the printer's
// set-up and the preview. Its result is the zoom factor, or Abandoned.
class TForm13 : public Form {
  Q_OBJECT
 public:
  static constexpr int Abandoned = 999999;
  // The mark that the dialog keeps its settings at its next activation: set
  // when the preview closes and around the printer's dialog.
  static constexpr int BackFromPreview = 99;

  explicit TForm13(Program& program);
  ~TForm13() override;

  // Shows the dialog modally for the picture; the zoom factor or Abandoned.
  int Execute(PrintedPicture picture);
  // One page with the picture at the zoom and the chosen placement and details.
  void PrintPicture(int zoom);

  void FormActivate() override;
  void ZoomClick(int zoom);  // x 2 ... x 12 and Original
  void RadioButton11Click();  // Fit To Page
  void Button4Click();  // Printer Setup
  void Button1Click();  // Print
  void Button3Click();  // Print Preview
  void Button2Click();  // Abort
  void FormClose() override;

  // The details text chosen for the picture's file; empty for none.
  QString DetailsText(const QString& fullPath, const QString& fileName) const;

  QLabel* Label1;
  QLabel* Label2;
  QLabel* Label3;  // picture height
  QLabel* Label4;  // picture width
  QLabel* Label5;
  QLabel* Label6;  // orientation
  QRadioButton* RadioButton1;  // x 2
  QRadioButton* RadioButton2;  // x 4
  QRadioButton* RadioButton9;  // x 6
  QRadioButton* RadioButton3;  // x 8
  QRadioButton* RadioButton4;  // x 10
  QRadioButton* RadioButton10;  // x 12
  QRadioButton* RadioButton5;  // Original
  QRadioButton* RadioButton11;  // Fit To Page
  QCheckBox* CheckBox1;  // Centre Print On Page
  QRadioButton* RadioButton6;  // Print Full Path
  QRadioButton* RadioButton7;  // Print Filename Only
  QRadioButton* RadioButton8;  // No file details
  QPushButton* Button4;  // Printer Setup
  QPushButton* Button1;  // Print
  QPushButton* Button3;  // Print Preview
  QPushButton* Button2;  // Abort

  int ModalResult = Abandoned;
  int ZoomFactor = 1;
  int ReturningFromPreview = 0;
  std::unique_ptr<PagePrinter> Printer;
  PrintedPicture Picture;

 private:
  void createZoomOptions();
  void createDetailsOptions();
  void createButtons();
  void showOrientation();
  QRadioButton* zoomOption(int zoom) const;
  void chooseNoDetails(bool detailsEnabled);
  void focusPreview();
  void abandon();

  QButtonGroup* zoomGroup_;
  QButtonGroup* detailsGroup_;
};
