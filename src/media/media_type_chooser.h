#pragma once

#include "app/form.h"

// Ticks the media list's lines by file type.
class TForm10 : public Form {
  Q_OBJECT
 public:
  explicit TForm10(Program& program);
};
