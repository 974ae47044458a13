#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include "viewer_fixture.h"

namespace {

// A drop of the given paths onto the list, as the window system delivers it:
// the drag comes in, then is let go. True when the window took it.
bool drop(QWidget& onto, const QStringList& paths) {
  QMimeData data;
  QList<QUrl> urls;
  for (const QString& path : paths) urls << QUrl::fromLocalFile(path);
  data.setUrls(urls);
  const QPoint at(10, 10);
  QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&onto, &enter);
  if (!enter.isAccepted()) return false;
  QDropEvent letGo(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&onto, &letGo);
  return letGo.isAccepted();
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
