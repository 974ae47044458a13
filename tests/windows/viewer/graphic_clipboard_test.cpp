#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMimeData>

#include "../../services/picture/metafile_writers.h"
#include "platform/shell.h"
#include "viewer_fixture.h"
#include "windows/viewer/picture_area.h"

namespace {

const QString NoIcons = "The Clipboard does not support Icons";

struct ViewerClipboard : ViewerFixture {
  ViewerClipboard() { QApplication::clipboard()->clear(); }

  QString saved(const QString& name, const char* format, QSize size = {40, 30}) const {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    image.save(file(name), format);
    return file(name);
  }
  void show(const QString& path) {
    select({path});
    viewer->Button2Click(viewer->Button2);
    ui.clear();
  }
  bool ctrlC() { return viewer->FormKeyDown(Qt::Key_C, Qt::ControlModifier); }
  QImage clipboardImage() const { return QApplication::clipboard()->image(); }
};

TEST(ViewerClipboard, CtrlCOnAShownJpegPutsItsPictureOnTheClipboard) {
  ViewerClipboard f;
  f.show(f.saved("photo.jpg", "JPG", {64, 48}));
  EXPECT_TRUE(f.ctrlC());
  EXPECT_EQ(f.clipboardImage().size(), QSize(64, 48));
  EXPECT_TRUE(f.state().ClipboardDataPresent);
  EXPECT_TRUE(f.ui.texts().isEmpty());
}

TEST(ViewerClipboard, AMetafileGoesOnTheClipboardAsAnImageAndItsOwnBytes) {
  ViewerClipboard f;
  const QByteArray wmf = WmfWriter().rectangle(QRect(0, 0, 10, 10)).file(QRect(0, 0, 100, 50), 96);
  QFile out(f.file("plan.wmf"));
  ASSERT_TRUE(out.open(QIODevice::WriteOnly));
  out.write(wmf);
  out.close();
  f.show(f.file("plan.wmf"));
  f.ctrlC();
  const QMimeData* data = QApplication::clipboard()->mimeData();
  ASSERT_NE(data, nullptr);
  EXPECT_TRUE(data->hasImage());
  EXPECT_EQ(data->data("image/x-wmf"), wmf);
  EXPECT_EQ(data->data("image/wmf"), wmf);
}

TEST(ViewerClipboard, ACutPictureGoesOnTheClipboardAtItsCutSize) {
  ViewerClipboard f;
  f.select({f.picture("wide.bmp", {2400, 10})});
  f.viewer->Button2Click(f.viewer->Button2);
  f.viewer->CopytoClipboard1Click();
  EXPECT_EQ(f.clipboardImage().size(), QSize(2000, 10));
}

TEST(ViewerClipboard, AnIconIsRefusedAndCopyDisabled) {
  ViewerClipboard f;
  f.show(f.saved("sign.ico", "ICO", {32, 32}));
  EXPECT_TRUE(f.ctrlC());
  EXPECT_EQ(f.ui.texts(), QStringList{NoIcons});
  EXPECT_EQ(f.ui.shown()[0].box, UiDouble::Box::Plain);
  EXPECT_FALSE(f.viewer->CopyCtlC1->isEnabled());
  EXPECT_TRUE(f.clipboardImage().isNull());
  EXPECT_FALSE(f.state().ClipboardDataPresent);

  f.ui.clear();
  f.viewer->Edit2Click();
  EXPECT_EQ(f.ui.texts(), QStringList{NoIcons}) << "opening the Edit menu on an icon";
  EXPECT_FALSE(f.viewer->CopyCtlC1->isEnabled());
}

TEST(ViewerClipboard, WithNoPictureShownCtrlCDoesNothingAndTheMenuHasNoCopy) {
  ViewerClipboard f;
  f.select({f.picture("a.bmp")});
  EXPECT_FALSE(f.ctrlC());
  EXPECT_FALSE(f.viewer->FormKeyDown(Qt::Key_C, Qt::NoModifier));
  EXPECT_TRUE(f.clipboardImage().isNull());
  f.viewer->Edit2Click();
  EXPECT_FALSE(f.viewer->CopyCtlC1->isEnabled());
  f.viewer->CopyCtlC1Click();
  EXPECT_FALSE(f.state().ClipboardDataPresent);
}

TEST(ViewerClipboard, TheEditMenuCopiesAShownBitmap) {
  ViewerClipboard f;
  f.show(f.picture("a.bmp", {40, 30}));
  f.viewer->Edit2Click();
  ASSERT_TRUE(f.viewer->CopyCtlC1->isEnabled());
  f.viewer->CopyCtlC1->trigger();
  EXPECT_EQ(f.clipboardImage().size(), QSize(40, 30));
  EXPECT_TRUE(f.state().ClipboardDataPresent);
}

TEST(ViewerClipboard, TheClipboardViewerStartsByNameOrSaysWhyNot) {
  ViewerClipboard f;
  f.ui.clear();
  f.viewer->DisplayClipboardViewer1Click();
  EXPECT_EQ(f.platform.shell.started, QStringList{"corvela-clipboard"});
  EXPECT_TRUE(f.ui.texts().isEmpty());

  f.platform.shell.startResult = ProgramStart::NotFound;
  f.viewer->DisplayClipboardViewer1Click();
  ASSERT_EQ(f.ui.shown().size(), 1u);
  EXPECT_EQ(f.ui.shown()[0].box, UiDouble::Box::Warning);
  EXPECT_EQ(f.ui.shown()[0].text, "Clipboard Viewer Not Found.\r\rEnsure that it has been setup.");

  f.ui.clear();
  f.platform.shell.startResult = ProgramStart::Failed;
  f.viewer->DisplayClipboardViewer1Click();
  EXPECT_EQ(f.ui.texts(), QStringList{"Unable to load Clipboard Viewer"});
}

TEST(ViewerClipboard, ClosingTheViewerAfterACopyAsksAndYesEmptiesTheClipboard) {
  ViewerClipboard f;
  f.show(f.picture("a.bmp"));
  f.ctrlC();
  f.ui.expectQuestion(Answer::Yes);
  f.viewer->close();
  ASSERT_FALSE(f.ui.shown().empty());
  EXPECT_EQ(f.ui.shown()[0].caption, "Clipboard Data Present");
  EXPECT_EQ(f.ui.shown()[0].text, "Do you wish to delete the contents of the Clipboard?");
  EXPECT_TRUE(f.clipboardImage().isNull());
}

}  // namespace
