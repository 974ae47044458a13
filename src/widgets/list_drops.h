#pragma once

#include <QObject>
#include <QStringList>
#include <functional>

#include "services/files/file_types.h"

class QWidget;

// Files and folders dropped onto a list window: the same choice as the open
// dialog's, of the window's own types, with folders searched one level. A drop
// is offered only while the window could take a choice (its select command is
// available) and only when it holds something of those types.
class ListDrops : public QObject {
 public:
  ListDrops(QWidget& window, FileTypes types, std::function<bool()> canTakeFiles,
            std::function<void(const QStringList&)> takeFiles);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QStringList filesOf(const QEvent* event) const;

  FileTypes types_;
  std::function<bool()> canTakeFiles_;
  std::function<void(const QStringList&)> takeFiles_;
};
