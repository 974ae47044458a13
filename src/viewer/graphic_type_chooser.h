#pragma once

#include "app/form.h"

// Ticks the graphic list's lines by picture type.
class TForm11 : public Form {
  Q_OBJECT
 public:
  explicit TForm11(Program& program);
};
