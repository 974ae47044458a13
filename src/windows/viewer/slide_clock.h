#pragma once

#include <QTime>

// The time of day as the slide show's pause reads it, and the short rest
// between its rounds.
class SlideClock {
 public:
  virtual ~SlideClock() = default;
  virtual QTime timeOfDay() const = 0;
  virtual void rest(int milliseconds) = 0;
};

class SystemSlideClock : public SlideClock {
 public:
  QTime timeOfDay() const override;
  void rest(int milliseconds) override;
};
