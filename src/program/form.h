#pragma once

#include <QKeySequence>
#include <QMainWindow>
#include <QRect>
#include <QSize>
#include <QString>
#include <functional>
#include <type_traits>

#include "program/program.h"

class QAction;
class QCheckBox;
class QLabel;
class QMenu;
class QPushButton;
class QRadioButton;

// A fixed-size window with the classic window model: a client area of a given
// size where controls sit at absolute places, the menu bar above it, hidden
// until shown. Controls carry their component names as object names.
class Form : public QMainWindow {
  Q_OBJECT
 public:
  Form(Program& program, const QString& caption, QSize clientSize);

  QWidget* client() const { return client_; }
  Program& program() const { return program_; }

  // A request from outside the window's controls (the desktop, another copy
  // of the program), run as its handlers are.
  void handleRequest(const std::function<void()>& request) { guard(request); }
  // Whether a handler is under way, perhaps waiting in a box or a pumped loop:
  // requests from outside wait for it rather than cut into it.
  static bool handlerRunning() { return runningHandlers_ > 0; }
  // Lets go of the window's handlers: from now on no signal, timer or event
  // reaches them. The window set calls it on every window before tearing any
  // down, since the windows' controls still signal while they are destroyed.
  void letGo();

 protected:
  // Runs when activation moves to this window from another of the program's
  // own windows, and when the window has just been shown. Coming back from
  // another program to the window that was active is not an activation.
  virtual void FormActivate() {}
  // Asked before the window closes; false keeps it open.
  virtual bool FormCloseQuery() { return true; }
  // The window is closing.
  virtual void FormClose() {}
  // The window's look at the events of the controls it watches; true consumes
  // the event. Guarded like every handler.
  virtual bool FormEventFilter(QObject* /*watched*/, QEvent* /*event*/) { return false; }

  bool event(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

  // Runs a handler; an error from a library that reaches the handler's end is
  // shown in an error box rather than ending the program. Does nothing once
  // the window has let go of its handlers.
  void guard(const std::function<void()>& handler);
  // Connects a signal to a window's handler, guarded. The handler takes the
  // signal's arguments or none.
  template <class Sender, class Signal, class Window, class... Args>
  void handle(Sender* sender, Signal signal, void (Window::*handler)(Args...)) {
    handle(sender, signal,
           [this, handler](Args... args) { (static_cast<Window*>(this)->*handler)(args...); });
  }
  // The choice is made on the handler alone, and the slot is constrained, so
  // that Qt, counting the arguments it may pass, finds the handler's count.
  template <class Sender, class Signal, class Handler>
  void handle(Sender* sender, Signal signal, Handler handler) {
    if constexpr (std::is_invocable_v<const Handler&>)
      connect(sender, signal, this, [this, handler] { guard(handler); });
    else
      connect(
          sender, signal, this, [
            this, handler
          ]<class... Args>(Args... args) requires std::is_invocable_v<const Handler&, Args...> {
            guard([&] { handler(args...); });
          });
  }

  QPushButton* button(const char* name, const QString& caption, const QString& hint, QRect place);
  QCheckBox* checkBox(const char* name, const QString& caption, const QString& hint, QRect place);
  QRadioButton* radioButton(const char* name, const QString& caption, const QString& hint,
                            QRect place);
  QLabel* label(const char* name, const QString& text, QRect place);
  QMenu* menu(const QString& caption);
  // A standard key is the desktop's own for the command (Ctrl+Q for Exit); the
  // menu shows it beside the caption.
  QAction* menuItem(QMenu* menu, const char* name, const QString& caption,
                    QKeySequence::StandardKey key = QKeySequence::UnknownKey);

  // The window opens centred on the screen.
  void centreOnScreen();
  // Every control is reachable through the accessibility interface: its
  // caption is its name (Qt's default) and its component name its description.
  void exposeToAccessibility();

  Program& program_;

 private:
  bool eventFilter(QObject* watched, QEvent* event) final;
  // Whether this activation is one the window's handler is meant for.
  bool takeActivation();
  // An error met while painting is shown once the paint is over, and once
  // only: the next paint would meet it again.
  void reportPaintError(const QString& message);

  QWidget* client_;
  static inline int runningHandlers_ = 0;
  bool lettingGo_ = false;
  bool shownSinceActive_ = false;
  QString paintError_;
};
