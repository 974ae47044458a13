#pragma once

#include "app/form.h"

// The standard CD player: a plain device button bar.
class TForm8 : public Form {
  Q_OBJECT
 public:
  explicit TForm8(Program& program);
};
