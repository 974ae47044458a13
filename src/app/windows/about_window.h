#pragma once

#include "app/form.h"

// The About window: the program's picture and name.
class TForm3 : public Form {
  Q_OBJECT
 public:
  explicit TForm3(Program& program);
};
