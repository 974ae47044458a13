#include "platform/timer.h"

Timer::Timer(QObject* parent, int interval) : QObject(parent), interval_(interval) {
  connect(&timer_, &QTimer::timeout, this, [this] {
    if (handler_) handler_();
  });
  update();
}

void Timer::setEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  update();
}

void Timer::setInterval(int milliseconds) {
  if (milliseconds == interval_) return;
  interval_ = milliseconds;
  update();
}

void Timer::update() {
  timer_.stop();
  if (enabled_ && interval_ > 0) timer_.start(interval_);
}
