#pragma once

#include <QColor>
#include <QComboBox>

// A drop-down of font colours; "Custom..." (or the right button) opens a
// colour chooser for any other colour.
class ColourBox : public QComboBox {
  Q_OBJECT
 public:
  explicit ColourBox(QWidget* parent);

  QColor colour() const;
  // Shows the colour, adding it to the list when it is not there yet.
  void setColour(const QColor& colour);

 signals:
  // The user chose a colour.
  void colourChosen(const QColor& colour);
  void closedUp();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void hidePopup() override;

 private:
  void chooseCustom();
  void itemChosen(int index);
};
