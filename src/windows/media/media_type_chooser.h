#pragma once

#include "widgets/type_chooser.h"

// Ticks the media list's lines by file type.
class TForm10 : public TypeChooser {
  Q_OBJECT
 public:
  explicit TForm10(Program& program);

 protected:
  QListWidget& chosenList() override;
  void selectionApplied(int selectedCount) override;
};
