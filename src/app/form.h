#pragma once

#include <QMainWindow>
#include <QRect>
#include <QSize>
#include <functional>

#include "app/program.h"

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

 protected:
  // Runs each time the window becomes the active window.
  virtual void FormActivate() {}
  // Asked before the window closes; false keeps it open.
  virtual bool FormCloseQuery() { return true; }
  // The window is closing.
  virtual void FormClose() {}

  bool event(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

  // Runs a handler; an error from a library that reaches the handler's end is
  // shown in an error box rather than ending the program.
  void guard(const std::function<void()>& handler);
  // Connects a signal to a window's handler, guarded.
  template <class Sender, class Signal, class Window>
  void handle(Sender* sender, Signal signal, void (Window::*handler)()) {
    connect(sender, signal, this,
            [this, handler] { guard([this, handler] { (static_cast<Window*>(this)->*handler)(); }); });
  }
  template <class Sender, class Signal, class Handler>
  void handle(Sender* sender, Signal signal, Handler handler) {
    connect(sender, signal, this, [this, handler] { guard(handler); });
  }

  QPushButton* button(const char* name, const QString& caption, const QString& hint, QRect place);
  QCheckBox* checkBox(const char* name, const QString& caption, const QString& hint, QRect place);
  QRadioButton* radioButton(const char* name, const QString& caption, const QString& hint,
                            QRect place);
  QLabel* label(const char* name, const QString& text, QRect place);
  QMenu* menu(const QString& caption);
  QAction* menuItem(QMenu* menu, const char* name, const QString& caption);

  // The window opens centred on the screen.
  void centreOnScreen();
  // Every control is reachable through the accessibility interface: its
  // caption is its name (Qt's default) and its component name its description.
  void exposeToAccessibility();

  Program& program_;

 private:
  QWidget* client_;
  static inline int runningHandlers_ = 0;
};
