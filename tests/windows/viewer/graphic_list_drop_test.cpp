#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include "viewer_fixture.h"

namespace {

// A drop of the given paths onto the list, as the window system delivers it:
// the drag comes in, then is let go. The action the window took it with, or
// none (IgnoreAction) when it refused it.
Qt::DropAction drop(QWidget& onto, const QStringList& paths,
                    Qt::DropActions offered = Qt::CopyAction,
                    Qt::KeyboardModifiers keys = Qt::NoModifier) {
  QMimeData data;
  QList<QUrl> urls;
  for (const QString& path : paths) urls << QUrl::fromLocalFile(path);
  data.setUrls(urls);
  const QPoint at(10, 10);
  QDragEnterEvent enter(at, offered, &data, Qt::LeftButton, keys);
  QApplication::sendEvent(&onto, &enter);
  if (!enter.isAccepted()) return Qt::IgnoreAction;
  QDropEvent letGo(at, offered, &data, Qt::LeftButton, keys);
  QApplication::sendEvent(&onto, &letGo);
  return letGo.isAccepted() ? letGo.dropAction() : Qt::IgnoreAction;
}

}  // namespace

TEST(GraphicListDrop, DroppedPicturesAndAFolderFillTheListAsTheDialogWould) {
  ViewerFixture f;
  const QString first = f.picture("first.bmp");
  QDir(f.drive.path()).mkdir("more");
  const QString inside = f.picture("more/inside.bmp");
  QFile(f.file("notes.txt")).open(QIODevice::WriteOnly);

  ASSERT_TRUE(drop(*f.viewer->ListBox1, {first, f.file("notes.txt"), f.file("more")}));
  EXPECT_EQ(f.lines(), QStringList({first.toLower(), inside.toLower()}));
  EXPECT_TRUE(f.ticked(0) && f.ticked(1));
  EXPECT_EQ(f.viewer->Label1->text(), "Selected: 2 - Current: 1 of 2");
  EXPECT_TRUE(f.ui.texts().isEmpty());

  EXPECT_FALSE(drop(*f.viewer, {f.file("notes.txt")})) << "nothing the viewer shows";
  f.viewer->Button2Click(f.viewer->Button2);
  EXPECT_FALSE(drop(*f.viewer, {first})) << "no choice while a picture shows";
  EXPECT_EQ(f.lines().size(), 2);
}

// A file manager deletes what it hands over as a Move (Shift asks for one).
TEST(GraphicListDrop, AMoveIsTakenAsACopyAndAFileInADroppedFolderIsListedOnce) {
  ViewerFixture f;
  QDir(f.drive.path()).mkdir("more");
  const QString inside = f.picture("more/inside.bmp");

  EXPECT_EQ(drop(*f.viewer->ListBox1, {inside, f.file("more")}, Qt::CopyAction | Qt::MoveAction,
                 Qt::ShiftModifier),
            Qt::CopyAction);
  EXPECT_EQ(f.lines(), QStringList({inside.toLower()}));
  EXPECT_FALSE(drop(*f.viewer->ListBox1, {inside}, Qt::MoveAction)) << "a Move only is refused";
}
