#include "windows/viewer/slide_clock.h"

#include <QThread>

QTime SystemSlideClock::timeOfDay() const { return QTime::currentTime(); }

void SystemSlideClock::rest(int milliseconds) {
  QThread::msleep(static_cast<unsigned long>(milliseconds));
}
