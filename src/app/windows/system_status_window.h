#pragma once

#include "app/form.h"

// The system status report: memory, swap and processor.
class TForm2 : public Form {
  Q_OBJECT
 public:
  explicit TForm2(Program& program);
};
