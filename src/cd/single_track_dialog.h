#pragma once

#include "app/form.h"

// Plays one CD track chosen by number, the way to tracks above 30.
class TForm5 : public Form {
  Q_OBJECT
 public:
  explicit TForm5(Program& program);
};
