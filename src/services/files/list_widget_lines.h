#pragma once

#include "services/files/selection_lines.h"

class QListWidget;

// A list widget with a tick box on every line as a window's selection list:
// each item shows the line's text and keeps the file's real path beside it.
class ListWidgetLines : public SelectionLines {
 public:
  explicit ListWidgetLines(QListWidget& list);

  int count() const override;
  ListLine line(int index) const override;
  bool ticked(int index) const override;
  bool append(const ListLine& line, bool ticked) override;
  void clear() override;
  void setVisible(bool visible) override;

 private:
  QListWidget& list_;
};
