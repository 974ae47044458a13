#pragma once

#include "app/form.h"

// The start-up reminder of the status checking setting.
class TForm7 : public Form {
  Q_OBJECT
 public:
  explicit TForm7(Program& program);
};
