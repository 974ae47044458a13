#include "widgets/list_drops.h"

#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

#include "services/files/files_to_open.h"

ListDrops::ListDrops(QWidget& window, FileTypes types, std::function<bool()> canTakeFiles,
                     std::function<void(const QStringList&)> takeFiles)
    : QObject(&window),
      types_(std::move(types)),
      canTakeFiles_(std::move(canTakeFiles)),
      takeFiles_(std::move(takeFiles)) {
  window.setAcceptDrops(true);
  window.installEventFilter(this);
}

QStringList ListDrops::filesOf(const QEvent* event) const {
  const QMimeData* data = static_cast<const QDropEvent*>(event)->mimeData();
  QStringList paths;
  if (data)
    for (const QUrl& url : data->urls())
      if (url.isLocalFile()) paths << url.toLocalFile();
  return filesToOpen(paths, types_);
}

bool ListDrops::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    // Moves within the window keep the answer given as the drag came in.
    case QEvent::DragEnter: {
      auto* drag = static_cast<QDragEnterEvent*>(event);
      if (canTakeFiles_() && !filesOf(event).isEmpty())
        drag->acceptProposedAction();
      else
        drag->ignore();
      return true;
    }
    case QEvent::Drop: {
      auto* drop = static_cast<QDropEvent*>(event);
      const QStringList files = filesOf(event);
      if (!canTakeFiles_() || files.isEmpty()) {
        drop->ignore();
        return true;
      }
      drop->acceptProposedAction();
      takeFiles_(files);
      return true;
    }
    default:
      return QObject::eventFilter(watched, event);
  }
}
