#pragma once

#include "app/form.h"

// The full-screen video window.
class TForm16 : public Form {
  Q_OBJECT
 public:
  explicit TForm16(Program& program);
};
