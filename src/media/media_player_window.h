#pragma once

#include "app/form.h"

// The media player: a ticked list of sound and video files played one after another.
class TForm4 : public Form {
  Q_OBJECT
 public:
  explicit TForm4(Program& program);
};
