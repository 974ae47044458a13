#include "widgets/type_boxes.h"

#include <algorithm>

TypeBoxes::TypeBoxes(int typeCount) : types_(typeCount, false) {}

bool TypeBoxes::anyType() const {
  return std::ranges::any_of(types_, [](bool t) { return t; });
}

bool TypeBoxes::everyType() const {
  return std::ranges::all_of(types_, [](bool t) { return t; });
}

void TypeBoxes::clearTypes() { types_.assign(types_.size(), false); }

void TypeBoxes::setAll(bool ticked) {
  all_ = ticked;
  if (ticked) {
    none_ = false;
    clearTypes();
  } else if (!anyType()) {
    none_ = true;
  }
}

void TypeBoxes::setNone(bool ticked) {
  none_ = ticked;
  if (ticked) {
    all_ = false;
    clearTypes();
  } else if (!anyType()) {
    all_ = true;
  }
}

void TypeBoxes::setType(int index, bool ticked) {
  types_.at(index) = ticked;
  if (ticked && everyType()) {
    // Every type is the same as ALL, which is what the boxes then say.
    setAll(true);
  } else if (ticked) {
    all_ = false;
    none_ = false;
  } else if (!anyType()) {
    setAll(true);
  }
}
