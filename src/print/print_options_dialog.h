#pragma once

#include "app/form.h"

// The print options: zoom, placement and file details.
class TForm13 : public Form {
  Q_OBJECT
 public:
  explicit TForm13(Program& program);
};
