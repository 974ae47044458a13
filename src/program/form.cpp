#include "program/form.h"

#include "platform/ui_services.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <optional>
#include <utility>

namespace {

// Which of the program's top-level windows (any of them, boxes and dialogs
// too) was active before the one being activated now. Watching the whole
// application sees every activation before the window itself does.
// A window behind a modal one is passed over: the focus only passes through
// it on its way to the modal window.
class ActivationTracker : public QObject {
 public:
  static ActivationTracker& instance() {
    static ActivationTracker* tracker = new ActivationTracker(qApp);
    return *tracker;
  }
  const QWidget* previous() const { return previous_; }
  static bool behindModalWindow(const QWidget* window) {
    const QWindow* modal = QGuiApplication::modalWindow();
    return modal && window->windowHandle() != modal;
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::WindowActivate && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->isWindow() &&
        !behindModalWindow(static_cast<QWidget*>(watched))) {
      previous_ = current_;
      current_ = static_cast<QWidget*>(watched);
    }
    return false;
  }

 private:
  explicit ActivationTracker(QObject* application) : QObject(application) {
    application->installEventFilter(this);
  }

  QPointer<QWidget> previous_;
  QPointer<QWidget> current_;
};

// The error a piece of work ended with, if it ended with one.
std::optional<QString> failureOf(const std::function<void()>& work) {
  try {
    work();
  } catch (const std::exception& error) {
    return QString::fromUtf8(error.what());
  }
  return std::nullopt;
}

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
  ActivationTracker::instance();
}

void Form::letGo() {
  lettingGo_ = true;
  for (QObject* control : findChildren<QObject*>()) control->disconnect(this);
  qApp->disconnect(this);
}

void Form::guard(const std::function<void()>& handler) {
  if (lettingGo_) return;
  ++runningHandlers_;
  // The count covers the error box too: a request must not cut into it.
  if (std::optional<QString> error = failureOf(handler))
    program_.ui.messageDlg(MessageKind::Error, *error);
  --runningHandlers_;
}

bool Form::event(QEvent* event) {
  switch (event->type()) {
    case QEvent::Show:
      if (!event->spontaneous()) shownSinceActive_ = true;
      break;
    case QEvent::WindowActivate:
      if (takeActivation()) guard([this] { FormActivate(); });
      break;
    case QEvent::Paint: {
      const std::optional<QString> error = failureOf([&] { QMainWindow::event(event); });
      if (error)
        reportPaintError(*error);
      else
        paintError_.clear();
      return true;
    }
    default:
      break;
  }
  bool handled = false;
  if (std::optional<QString> error = failureOf([&] { handled = QMainWindow::event(event); }))
    program_.ui.messageDlg(MessageKind::Error, *error);
  return handled;
}

bool Form::takeActivation() {
  if (ActivationTracker::behindModalWindow(this)) return false;
  const bool shown = std::exchange(shownSinceActive_, false);
  return shown || ActivationTracker::instance().previous() != this;
}

void Form::reportPaintError(const QString& message) {
  if (message == paintError_) return;
  paintError_ = message;
  QTimer::singleShot(0, this, [this, message] {
    if (!lettingGo_) program_.ui.messageDlg(MessageKind::Error, message);
  });
}

bool Form::eventFilter(QObject* watched, QEvent* event) {
  bool consumed = false;
  guard([&] { consumed = FormEventFilter(watched, event); });
  return consumed || QMainWindow::eventFilter(watched, event);
}

// A close whose query fails stays open; one whose own handler fails still
// closes, as the user asked.
void Form::closeEvent(QCloseEvent* event) {
  bool mayClose = false;
  guard([&] { mayClose = FormCloseQuery(); });
  if (!mayClose) {
    event->ignore();
    return;
  }
  guard([this] { FormClose(); });
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

QAction* Form::menuItem(QMenu* menu, const char* name, const QString& caption,
                        QKeySequence::StandardKey key) {
  QAction* item = menu->addAction(caption);
  item->setObjectName(name);
  item->setShortcut(key);
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
