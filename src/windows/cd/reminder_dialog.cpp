#include "windows/cd/reminder_dialog.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include "platform/ui_services.h"
#include "program/forms.h"
#include "program/program_state.h"
#include "windows/cd/cd_player_window.h"

TForm7::TForm7(Program& program) : Form(program, "Corvela Pro CD Player", QSize(360, 210)) {
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  Label1 = label("Label1", "Corvela Pro", QRect(12, 8, 336, 28));
  QFont heading = Label1->font();
  heading.setPointSize(14);
  heading.setBold(true);
  Label1->setFont(heading);
  Label1->setAlignment(Qt::AlignCenter);
  Label2 = label("Label2", QString(), QRect(12, 40, 336, 110));
  Label2->setWordWrap(true);
  Label2->setAlignment(Qt::AlignTop | Qt::AlignLeft);
  CheckBox1 = checkBox("CheckBox1", "&Display this every time Corvela Pro is run", QString(),
                       QRect(12, 152, 336, 22));
  CheckBox1->setChecked(true);
  BitBtn1 = button("BitBtn1", "&OK", QString(), QRect(142, 178, 75, 26));
  BitBtn1->setDefault(true);
  handle(CheckBox1, &QCheckBox::clicked, &TForm7::CheckBox1Click);
  handle(BitBtn1, &QPushButton::clicked, &TForm7::BitBtn1Click);
  exposeToAccessibility();
}

void TForm7::FormActivate() {
  const Settings& settings = program_.state.settings;
  const QString status = settings.Status != 0 ? QString::number(settings.Status + 1) + " seconds."
                                              : QString("normal.");
  const QString text =
      "Reminder: you elected last time to start Corvela Pro\rwith a Status check setting of " +
      status + "\r\r" + "(Click the \"Tools\" menu to change this if you wish)." + "\r\r" +
      "Corvela Pro RANDOM play mode is " + (settings.Random ? "ON" : "OFF");
  Label2->setText(displayText(text));
}

void TForm7::CheckBox1Click() {
  program_.ui.messageDlg(MessageKind::Information,
                         "You can toggle this reminder ON/OFF from the \"Tools\" menu");
  program_.forms.Form1->setReminder(CheckBox1->isChecked());
}

void TForm7::BitBtn1Click() { close(); }

// A main window has no default button of its own: Enter presses OK as in a dialog.
void TForm7::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape)
    close();
  else if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
    BitBtn1->click();
  else
    Form::keyPressEvent(event);
}
