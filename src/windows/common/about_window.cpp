#include "windows/common/about_window.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include "platform/artwork.h"
#include "program/program_state.h"

TForm3::TForm3(Program& program) : Form(program, "About Corvela Pro", QSize(360, 220)) {
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  Image1 = label("Image1", QString(), QRect(16, 16, 96, 96));
  Image1->setPixmap(discPicture(96));
  Label1 = label("Label1", "Corvela Pro", QRect(128, 20, 220, 30));
  QFont name = Label1->font();
  name.setPointSize(16);
  name.setBold(true);
  Label1->setFont(name);
  Memo1 = label("Memo1",
                "Audio CDs, sound and video files, and pictures: three players in one.\n\n"
                "Version 1.0 for Linux\nQelvar Ltd",
                QRect(128, 56, 220, 110));
  Memo1->setWordWrap(true);
  Memo1->setAlignment(Qt::AlignTop | Qt::AlignLeft);
  BitBtn1 = button("BitBtn1", "&OK", QString(), QRect(142, 180, 75, 28));
  BitBtn1->setDefault(true);
  handle(BitBtn1, &QPushButton::clicked, &TForm3::BitBtn1Click);
  exposeToAccessibility();
}

void TForm3::BitBtn1Click() { close(); }

void TForm3::FormClose() { program_.state.ModalDialogClosed = true; }

void TForm3::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape)
    close();
  else
    Form::keyPressEvent(event);
}
