#pragma once

class QListWidget;

// Ticks set by the program, not the user: the list's own signals stay quiet,
// so a window that counts the user's tick changes does not count these.
void setLineTicked(QListWidget& list, int row, bool ticked);
void setEveryLineTicked(QListWidget& list, bool ticked);
bool lineTicked(const QListWidget& list, int row);
int tickedLineCount(const QListWidget& list);
