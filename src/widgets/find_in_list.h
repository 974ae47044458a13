#pragma once

#include <QString>
#include <functional>

class QListWidget;
class UiServices;

// "Search Result" of a list window: asks for a text and highlights the first
// line after the highlighted one that holds it. The search never wraps round.
class FindInList {
 public:
  explicit FindInList(UiServices& ui);

  // onMatch runs with the found line highlighted, before the beep that
  // announces it. A hidden or empty list, a cancelled or empty text and a
  // search without a match all end in the same "none found" message.
  void Find(QListWidget& list, const std::function<void(int row)>& onMatch);

  // The last text searched for, in lower case.
  QString FindText;

 private:
  void noneFound();

  UiServices& ui_;
};
