#pragma once

#include "services/files/list_line.h"

// A window's selection list as the drive search and the list files see it: a
// list of lines with a tick box each.
class SelectionLines {
 public:
  virtual ~SelectionLines() = default;

  virtual int count() const = 0;
  virtual ListLine line(int index) const = 0;
  virtual bool ticked(int index) const = 0;
  // Adds a line at the end; false when the list has no room left for it.
  virtual bool append(const ListLine& line, bool ticked) = 0;
  virtual void clear() = 0;
  virtual void setVisible(bool visible) = 0;
};
