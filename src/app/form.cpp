#include "app/form.h"

#include "app/ui_services.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

namespace {

template <class Control>
Control* place(Control* control, const char* name, const QString& hint, QRect rect) {
  control->setObjectName(name);
  control->setGeometry(rect);
  if (!hint.isEmpty()) control->setToolTip(hint);
  return control;
}

}  // namespace

Form::Form(Program& program, const QString& caption, QSize clientSize)
    : program_(program), client_(new QWidget(this)) {
  setWindowTitle(caption);
  // The classic small dialog font: the fixed layouts are measured for it.
  QFont small = font();
  small.setPointSize(8);
  setFont(small);
  client_->setObjectName("ClientArea");
  client_->setFixedSize(clientSize);
  setCentralWidget(client_);
  // A fixed single border: the window cannot be resized.
  layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void Form::guard(const std::function<void()>& handler) {
  ++runningHandlers_;
  try {
    handler();
  } catch (const std::exception& error) {
    program_.ui.messageDlg(MessageKind::Error, QString::fromUtf8(error.what()));
  }
  --runningHandlers_;
}

bool Form::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate) FormActivate();
  return QMainWindow::event(event);
}

void Form::closeEvent(QCloseEvent* event) {
  if (!FormCloseQuery()) {
    event->ignore();
    return;
  }
  FormClose();
  event->accept();
}

QPushButton* Form::button(const char* name, const QString& caption, const QString& hint,
                          QRect rect) {
  return place(new QPushButton(caption, client_), name, hint, rect);
}

QCheckBox* Form::checkBox(const char* name, const QString& caption, const QString& hint,
                          QRect rect) {
  return place(new QCheckBox(caption, client_), name, hint, rect);
}

QRadioButton* Form::radioButton(const char* name, const QString& caption, const QString& hint,
                                QRect rect) {
  return place(new QRadioButton(caption, client_), name, hint, rect);
}

QLabel* Form::label(const char* name, const QString& text, QRect rect) {
  return place(new QLabel(text, client_), name, QString(), rect);
}

QMenu* Form::menu(const QString& caption) { return menuBar()->addMenu(caption); }

QAction* Form::menuItem(QMenu* menu, const char* name, const QString& caption) {
  QAction* item = menu->addAction(caption);
  item->setObjectName(name);
  // Menu items offer their status tip as their accessible description.
  item->setStatusTip(name);
  return item;
}

void Form::centreOnScreen() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return;
  adjustSize();
  QRect frame = frameGeometry();
  frame.moveCenter(screen->availableGeometry().center());
  move(frame.topLeft());
}

void Form::exposeToAccessibility() {
  setAccessibleDescription(metaObject()->className());
  for (QWidget* control : findChildren<QWidget*>()) {
    if (!control->objectName().isEmpty() && control->accessibleDescription().isEmpty())
      control->setAccessibleDescription(control->objectName());
  }
}
