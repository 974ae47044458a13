#include "widgets/find_in_list.h"

#include <QListWidget>

#include "platform/ui_services.h"

FindInList::FindInList(UiServices& ui) : ui_(ui) {}

void FindInList::Find(QListWidget& list, const std::function<void(int row)>& onMatch) {
  if (list.isHidden() || list.count() == 0) return noneFound();
  const std::optional<QString> text =
      ui_.inputBox("Search from the highlighted file onwards", "Find", FindText);
  if (!text || text->isEmpty()) return noneFound();
  FindText = text->toLower();
  list.repaint();
  ui_.setCursor(ScreenCursor::HourGlass);
  for (int row = list.currentRow() + 1; row < list.count(); ++row) {
    if (!list.item(row)->text().contains(FindText)) continue;
    list.setCurrentRow(row);
    onMatch(row);
    ui_.setCursor(ScreenCursor::Normal);
    ui_.beep();
    return;
  }
  ui_.setCursor(ScreenCursor::Normal);
  noneFound();
}

void FindInList::noneFound() { ui_.showMessage("           None or no more found.           "); }
