#include "windows/cd/single_track_dialog.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <algorithm>

#include "platform/ui_services.h"
#include "program/forms.h"
#include "windows/cd/cd_player_window.h"

UpDown::UpDown(QLineEdit* associate, QWidget* parent)
    : QWidget(parent),
      associate_(associate),
      up_(new QToolButton(this)),
      down_(new QToolButton(this)) {
  up_->setArrowType(Qt::UpArrow);
  down_->setArrowType(Qt::DownArrow);
  up_->setAccessibleName("Up");
  down_->setAccessibleName("Down");
  for (QToolButton* arrow : {up_, down_}) {
    arrow->setAutoRepeat(true);
    arrow->setFocusPolicy(Qt::NoFocus);
  }
  connect(up_, &QToolButton::clicked, this, [this] { step(+1); });
  connect(down_, &QToolButton::clicked, this, [this] { step(-1); });
}

void UpDown::resizeEvent(QResizeEvent*) {
  const int half = height() / 2;
  up_->setGeometry(0, 0, width(), half);
  down_->setGeometry(0, half, width(), height() - half);
}

void UpDown::setRange(int minimum, int maximum) {
  min_ = minimum;
  max_ = std::max(minimum, maximum);
  position_ = std::clamp(position_, min_, max_);
}

// Steps from the number the field shows, so a typed number is where it goes on from.
void UpDown::step(int by) {
  bool isNumber = false;
  const int shown = associate_->text().toInt(&isNumber);
  if (isNumber) position_ = shown;
  position_ = std::clamp(position_ + by, min_, max_);
  associate_->setText(QString::number(position_));
}

TForm5::TForm5(Program& program) : Form(program, "Single Track Selection", QSize(230, 110)) {
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  Label1 = label("Label1", QString(), QRect(8, 10, 214, 18));
  Label1->setAlignment(Qt::AlignCenter);
  Edit1 = new QLineEdit("1", client());
  Edit1->setObjectName("Edit1");
  Edit1->setGeometry(80, 38, 50, 24);
  Edit1->setAccessibleName("Track");
  UpDown1 = new UpDown(Edit1, client());
  UpDown1->setObjectName("UpDown1");
  UpDown1->setGeometry(130, 38, 18, 24);
  Button1 = button("Button1", "&Play Track", QString(), QRect(24, 76, 86, 26));
  BitBtn1 = button("BitBtn1", "Cancel", QString(), QRect(120, 76, 86, 26));
  handle(Edit1, &QLineEdit::textChanged, &TForm5::Edit1Change);
  Edit1->installEventFilter(this);
  handle(Button1, &QPushButton::clicked, &TForm5::Button1Click);
  handle(BitBtn1, &QPushButton::clicked, &TForm5::BitBtn1Click);
  exposeToAccessibility();
}

int TForm5::trackCount() const { return program_.forms.Form1->MediaPlayer1->trackCount(); }

void TForm5::FormActivate() {
  const int count = trackCount();
  Label1->setText("Enter Track selection 1 to " + QString::number(count));
  UpDown1->setRange(1, count);
  Edit1->setFocus();
  Edit1->setText("1");
  Edit1->selectAll();
}

void TForm5::Edit1Change() {
  const QString text = Edit1->text();
  bool isNumber = false;
  const int number = text.toInt(&isNumber);
  if (text == "0" || (!text.isEmpty() && (!isNumber || number > trackCount()))) Edit1->clear();
}

bool TForm5::Edit1KeyPress(int key) {
  if (key == Qt::Key_Return || key == Qt::Key_Enter) {
    Button1Click();
    return true;
  }
  if (key == Qt::Key_Escape) {
    close();
    return true;
  }
  return false;
}

void TForm5::Button1Click() {
  if (Edit1->text().isEmpty()) return;
  const int track = Edit1->text().toInt();
  // Only a track of the disc becomes a request: a number left behind would
  // pass over the check for ticked tracks at the next Play.
  if (track < 1 || track > trackCount()) return;
  TForm1& cd = *program_.forms.Form1;
  UiServices& ui = program_.ui;
  ui.setCursor(ScreenCursor::HourGlass);
  cd.Playback.SingleTrackRequest = track;
  cd.Button10Click();
  cd.Button1Click(Button1);
  ui.setCursor(ScreenCursor::Normal);
  close();
}

void TForm5::BitBtn1Click() { close(); }

bool TForm5::FormEventFilter(QObject* watched, QEvent* event) {
  if (watched == Edit1 && event->type() == QEvent::KeyPress &&
      Edit1KeyPress(static_cast<QKeyEvent*>(event)->key()))
    return true;
  return false;
}

void TForm5::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape)
    close();
  else
    Form::keyPressEvent(event);
}
