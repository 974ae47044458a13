#include "widgets/list_drops.h"

#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QSet>
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

namespace {

// A file dropped alone and inside a dropped folder is one file.
QStringList onceEach(const QStringList& files) {
  QStringList once;
  QSet<QString> seen;
  for (const QString& file : files) {
    const QString real = QFileInfo(file).canonicalFilePath();
    if (seen.contains(real)) continue;
    seen.insert(real);
    once << file;
  }
  return once;
}

}  // namespace

QStringList ListDrops::filesOf(const QEvent* event) const {
  const auto* drop = static_cast<const QDropEvent*>(event);
  const QMimeData* data = drop->mimeData();
  QStringList paths;
  if (data && (drop->possibleActions() & Qt::CopyAction))
    for (const QUrl& url : data->urls())
      if (url.isLocalFile()) paths << url.toLocalFile();
  return onceEach(filesToOpen(paths, types_));
}

// The list takes copies: a file manager deletes the source of a drop taken as a
// Move, which it may propose.
bool ListDrops::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::DragEnter: {
      auto* drag = static_cast<QDragEnterEvent*>(event);
      drag->setDropAction(Qt::CopyAction);
      drag->setAccepted(canTakeFiles_() && !filesOf(event).isEmpty());
      return true;
    }
    // Moves within the window keep the answer given as the drag came in.
    case QEvent::DragMove:
      static_cast<QDragMoveEvent*>(event)->setDropAction(Qt::CopyAction);
      return QObject::eventFilter(watched, event);
    case QEvent::Drop: {
      auto* drop = static_cast<QDropEvent*>(event);
      const QStringList files = filesOf(event);
      drop->setDropAction(Qt::CopyAction);
      drop->setAccepted(canTakeFiles_() && !files.isEmpty());
      if (drop->isAccepted()) takeFiles_(files);
      return true;
    }
    default:
      return QObject::eventFilter(watched, event);
  }
}
