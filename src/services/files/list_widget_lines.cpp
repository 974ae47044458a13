#include "services/files/list_widget_lines.h"

#include <QListWidget>

namespace {

constexpr int PathRole = Qt::UserRole;

}  // namespace

ListWidgetLines::ListWidgetLines(QListWidget& list) : list_(list) {}

int ListWidgetLines::count() const { return list_.count(); }

ListLine ListWidgetLines::line(int index) const {
  const QListWidgetItem* item = list_.item(index);
  return {item->text(), item->data(PathRole).toString()};
}

bool ListWidgetLines::ticked(int index) const {
  return list_.item(index)->checkState() == Qt::Checked;
}

bool ListWidgetLines::append(const ListLine& line, bool ticked) {
  // Made whole before it joins the list, so adding it is no tick change of the user's.
  auto* item = new QListWidgetItem(line.text);
  item->setData(PathRole, line.path);
  item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
  item->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
  list_.addItem(item);
  return true;
}

void ListWidgetLines::clear() { list_.clear(); }

void ListWidgetLines::setVisible(bool visible) { list_.setVisible(visible); }
