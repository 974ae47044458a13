#pragma once

#include "widgets/type_chooser.h"

// Ticks the graphic list's lines by picture type.
class TForm11 : public TypeChooser {
  Q_OBJECT
 public:
  explicit TForm11(Program& program);

 protected:
  QListWidget& chosenList() override;
  void selectionApplied(int selectedCount) override;
};
