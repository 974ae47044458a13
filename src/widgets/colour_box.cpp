#include "widgets/colour_box.h"

#include <QColorDialog>
#include <QMouseEvent>

namespace {

const QString CustomText = "Custom...";

}  // namespace

ColourBox::ColourBox(QWidget* parent) : QComboBox(parent) {
  const std::pair<const char*, QColor> colours[] = {{"Black", Qt::black},
                                                    {"Maroon", QColor(128, 0, 0)},
                                                    {"Green", QColor(0, 128, 0)},
                                                    {"Olive", QColor(128, 128, 0)},
                                                    {"Navy", QColor(0, 0, 128)},
                                                    {"Purple", QColor(128, 0, 128)},
                                                    {"Teal", QColor(0, 128, 128)},
                                                    {"Gray", Qt::gray},
                                                    {"Red", Qt::red},
                                                    {"Lime", Qt::green},
                                                    {"Blue", Qt::blue},
                                                    {"Fuchsia", Qt::magenta},
                                                    {"Aqua", Qt::cyan},
                                                    {"White", Qt::white}};
  for (const auto& [name, colour] : colours) addItem(name, colour);
  addItem(CustomText);
  connect(this, &QComboBox::activated, this, &ColourBox::itemChosen);
}

QColor ColourBox::colour() const { return currentData().value<QColor>(); }

void ColourBox::setColour(const QColor& colour) {
  int index = findData(colour);
  if (index < 0) {
    insertItem(count() - 1, colour.name(), colour);
    index = count() - 2;
  }
  setCurrentIndex(index);
}

void ColourBox::itemChosen(int index) {
  if (itemText(index) == CustomText) return chooseCustom();
  emit colourChosen(colour());
}

void ColourBox::chooseCustom() {
  const QColor previous = colour();
  const QColor chosen = QColorDialog::getColor(previous, this);
  setColour(chosen.isValid() ? chosen : previous);
  if (chosen.isValid()) emit colourChosen(chosen);
}

void ColourBox::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) return chooseCustom();
  QComboBox::mousePressEvent(event);
}

void ColourBox::hidePopup() {
  QComboBox::hidePopup();
  emit closedUp();
}
