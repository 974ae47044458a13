#pragma once

#include <QTime>
#include <functional>
#include <map>

#include "windows/viewer/slide_clock.h"

// A slide show clock that only moves when the pause rests, and runs what a
// test scheduled for a moment of the show (a click, a minimize) as it passes.
class FakeSlideClock : public SlideClock {
 public:
  explicit FakeSlideClock(QTime start = QTime(10, 0, 0)) : now_(start) {}

  QTime timeOfDay() const override { return now_; }
  void rest(int milliseconds) override {
    now_ = now_.addMSecs(milliseconds);
    rested_ += milliseconds;
    while (!scheduled_.empty() && scheduled_.begin()->first <= rested_) {
      auto action = std::move(scheduled_.begin()->second);
      scheduled_.erase(scheduled_.begin());
      action();
    }
  }

  // Runs the action once the pauses have lasted this long in all.
  void at(int restedMilliseconds, std::function<void()> action) {
    scheduled_.emplace(restedMilliseconds, std::move(action));
  }
  // The time the pauses have lasted so far.
  int rested() const { return rested_; }

 private:
  QTime now_;
  int rested_ = 0;
  std::multimap<int, std::function<void()>> scheduled_;
};
