#pragma once

#include "app/form.h"

// Chooses how often the CD player checks the drive.
class TForm6 : public Form {
  Q_OBJECT
 public:
  explicit TForm6(Program& program);
};
