#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

// A window timer as the windows use it: Enabled and Interval, an interval of 0
// gives no ticks, and changing the interval of a running timer restarts it.
// Tests call the tick handlers directly.
class Timer : public QObject {
  Q_OBJECT
 public:
  explicit Timer(QObject* parent = nullptr, int interval = 1000);

  void onTimer(std::function<void()> handler) { handler_ = std::move(handler); }

  bool Enabled() const { return enabled_; }
  void setEnabled(bool enabled);
  int Interval() const { return interval_; }
  void setInterval(int milliseconds);

 private:
  void update();

  QTimer timer_;
  std::function<void()> handler_;
  bool enabled_ = true;
  int interval_;
};
