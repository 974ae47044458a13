// The slide show's delay: the box, the slider and the stored setting.
#include <QLineEdit>
#include <QSlider>

#include "program/program_state.h"
#include "windows/viewer/graphics_viewer_window.h"

void TForm9::Edit1Change() {
  const QString text = Edit1->text();
  if (text.isEmpty()) return;
  bool isNumber = false;
  const int delay = text.toInt(&isNumber);
  if (!isNumber) {
    Edit1->clear();
    program_.state.settings.Delay = 4;
    TrackBar1->setValue(4);
    // The slider may already stand at 4; the box shows it all the same.
    Edit1->setText("4");
    return;
  }
  if (delay < 1 || delay > 20) {
    Edit1->clear();
    return;
  }
  Pictures->SlideDelay = delay;
  program_.state.settings.Delay = delay;
  TrackBar1->setValue(delay);
}

void TForm9::Edit1Exit() {
  if (Edit1->text().isEmpty()) Edit1->setText("4");
}

void TForm9::TrackBar1Change() { Edit1->setText(QString::number(TrackBar1->value())); }

void TForm9::Label2Click() {
  if (Edit1->isEnabled()) Edit1->setFocus();
}
