#pragma once

#include "app/form.h"

// The print preview of one page.
class TForm14 : public Form {
  Q_OBJECT
 public:
  explicit TForm14(Program& program);
};
