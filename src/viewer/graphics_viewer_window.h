#pragma once

#include "app/form.h"

// The graphics viewer: a ticked list of pictures, shown one by one or as a slide show.
class TForm9 : public Form {
  Q_OBJECT
 public:
  explicit TForm9(Program& program);
};
