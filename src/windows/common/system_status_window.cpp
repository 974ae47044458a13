#include "windows/common/system_status_window.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include "platform/artwork.h"
#include "platform/platform_services.h"
#include "platform/system_information.h"
#include "program/number_format.h"
#include "program/program_state.h"

namespace {

QString processorText(int type) {
  switch (type) {
    case 386:
      return "Processor: 386";
    case 486:
      return "Processor: 486";
    case 586:
      return "Processor: Pentium";
    default:
      return "Processor: Unknown";
  }
}

}  // namespace

TForm2::TForm2(Program& program) : Form(program, "Corvela Pro System Status", QSize(380, 150)) {
  setWindowFlags(Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);
  Image1 = label("Image1", QString(), QRect(12, 16, 64, 64));
  Image1->setPixmap(discPicture(64));
  Label1 = label("Label1", QString(), QRect(90, 14, 280, 20));
  Label2 = label("Label2", QString(), QRect(90, 38, 280, 20));
  Label3 = label("Label3", QString(), QRect(90, 62, 280, 20));
  Label4 = label("Label4", QString(), QRect(90, 86, 280, 20));
  BitBtn1 = button("BitBtn1", "&Refresh", QString(), QRect(110, 116, 75, 26));
  BitBtn2 = button("BitBtn2", "&OK", QString(), QRect(195, 116, 75, 26));
  handle(BitBtn1, &QPushButton::clicked, &TForm2::BitBtn1Click);
  handle(BitBtn2, &QPushButton::clicked, &TForm2::BitBtn2Click);
  exposeToAccessibility();
}

void TForm2::FormActivate() {
  BitBtn1Click();
  BitBtn1->setFocus();
}

void TForm2::BitBtn1Click() {
  const SystemInformation& system = program_.platform.systemInformation;
  const MemoryStatus memory = system.memoryStatus();
  Label1->setText("Total RAM:  " + formatCount(memory.totalPhysical) + " bytes");
  Label2->setText("Total RAM available:  " + formatCount(memory.availablePhysical) + " bytes");
  Label3->setText("Available Swap File:  " + formatCount(memory.availableSwap) + " bytes");
  Label4->setText(processorText(system.processorType()));
}

void TForm2::BitBtn2Click() {
  program_.state.ModalDialogClosed = true;
  close();
}

void TForm2::FormClose() { program_.state.ModalDialogClosed = true; }

void TForm2::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape)
    BitBtn2Click();
  else
    Form::keyPressEvent(event);
}
