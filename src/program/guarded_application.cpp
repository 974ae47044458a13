#include "program/guarded_application.h"

#include <QTimer>
#include <cstdio>

GuardedApplication::GuardedApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool GuardedApplication::notify(QObject* receiver, QEvent* event) {
  const bool painting = event->type() == QEvent::Paint;
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& error) {
    reportLater(QString::fromUtf8(error.what()), painting);
  } catch (...) {
    reportLater("An unexpected error occurred.", painting);
  }
  return true;
}

// Later, not here: the error may have left a paint or a modal loop half done.
void GuardedApplication::reportLater(const QString& message, bool painting) {
  if (painting && message == paintError_) return;
  if (painting) paintError_ = message;
  QTimer::singleShot(0, this, [this, message] {
    if (report_)
      report_(message);
    else
      std::fprintf(stderr, "Corvela Pro: %s\n", qPrintable(message));
  });
}
