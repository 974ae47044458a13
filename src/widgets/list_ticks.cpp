#include "widgets/list_ticks.h"

#include <QListWidget>
#include <QSignalBlocker>

void setLineTicked(QListWidget& list, int row, bool ticked) {
  const QSignalBlocker quiet(list);
  list.item(row)->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
}

void setEveryLineTicked(QListWidget& list, bool ticked) {
  for (int row = 0; row < list.count(); ++row) setLineTicked(list, row, ticked);
}

bool lineTicked(const QListWidget& list, int row) {
  return list.item(row)->checkState() == Qt::Checked;
}

int tickedLineCount(const QListWidget& list) {
  int ticked = 0;
  for (int row = 0; row < list.count(); ++row) ticked += lineTicked(list, row) ? 1 : 0;
  return ticked;
}
