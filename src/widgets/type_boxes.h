#pragma once

#include <vector>

// The tick boxes of a type chooser: ALL, NO and one per type, kept consistent
// with each other. Each change runs the rules the boxes' own click handlers
// would run, including the changes they set off in the other boxes.
class TypeBoxes {
 public:
  // ALL ticked, the others not.
  explicit TypeBoxes(int typeCount);

  bool all() const { return all_; }
  bool none() const { return none_; }
  bool type(int index) const { return types_.at(index); }
  int typeCount() const { return int(types_.size()); }
  bool anyType() const;

  void setAll(bool ticked);
  void setNone(bool ticked);
  void setType(int index, bool ticked);

 private:
  bool everyType() const;
  void clearTypes();

  bool all_ = true;
  bool none_ = false;
  std::vector<bool> types_;
};
