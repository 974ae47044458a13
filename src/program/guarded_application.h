#pragma once

#include <QApplication>
#include <QString>
#include <functional>

// The application object's last line of defence: an error that slips past a
// window's guard (a control of the toolkit's own painting, a helper object's
// event filter) is shown once control is back in the event loop, and the
// program runs on instead of ending with its settings unsaved.
class GuardedApplication : public QApplication {
  Q_OBJECT
 public:
  GuardedApplication(int& argc, char** argv);

  // Who shows the error; until one is given, errors go to standard error.
  void onError(std::function<void(const QString&)> report) { report_ = std::move(report); }

  bool notify(QObject* receiver, QEvent* event) override;

 private:
  void reportLater(const QString& message, bool painting);

  std::function<void(const QString&)> report_;
  // A paint that fails fails again at the next paint: its error is shown once.
  QString paintError_;
};
