#pragma once

#include <QPoint>

// The mouse pointer, moved out of a picture's way or to the screen's centre.
class Pointer {
 public:
  virtual ~Pointer() = default;
  // Places the pointer at a position in screen coordinates.
  virtual void moveTo(QPoint place) = 0;
};

class ScreenPointer : public Pointer {
 public:
  void moveTo(QPoint place) override;
};
