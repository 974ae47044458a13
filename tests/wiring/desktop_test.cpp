#include <gtest/gtest.h>
#include <QCheckBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>

#include "platform/recent_files.h"
#include "platform/settings_backend.h"
#include "platform/timer.h"
#include "program_fixture.h"
#include "windows/cd/cd_player_window.h"
#include "windows/media/media_player_window.h"
#include "windows/viewer/graphics_viewer_window.h"
#include "windows/viewer/picture_area.h"
#include "wiring/handed_files.h"

namespace {

struct FakeRecentFiles : RecentFiles {
  QStringList added;
  void add(const QStringList& files) override { added << files; }
};

// The program with the CD player showing, handed files from a folder of its own.
struct HandedFilesFixture : ProgramFixture {
  HandedFilesFixture() {
    start();
    state().settings.Reminder = false;
    forms().Form1->show();
    handed = std::make_unique<HandedFiles>(forms(), recent);
  }
  QString file(const QString& name) {
    QFile(folder.filePath(name)).open(QIODevice::WriteOnly);
    return folder.filePath(name);
  }
  QString picture(const QString& name) {
    QImage image(8, 6, QImage::Format_RGB32);
    image.fill(Qt::red);
    image.save(folder.filePath(name), "BMP");
    return folder.filePath(name);
  }
  // Hands the names over and lets the program take them.
  void hand(const QStringList& names) {
    handed->open(folder.path(), names);
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 2500) QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
  }
  static QStringList lines(const QListWidget& list) {
    QStringList texts;
    for (int row = 0; row < list.count(); ++row) texts << list.item(row)->text();
    return texts;
  }

  QTemporaryDir folder;
  FakeRecentFiles recent;
  std::unique_ptr<HandedFiles> handed;
};

}  // namespace

TEST(HandedFiles, SoundFirstFillsTheMediaPlayerWithTheSoundsOnlyAndPlays) {
  HandedFilesFixture f;
  const QString song = f.file("a.wav");
  const QString tune = f.file("b.mid");
  f.devices.addFile(song, 30000);
  f.devices.addFile(tune, 30000);
  f.picture("c.bmp");

  f.hand({"a.wav", "c.bmp", "b.mid", "missing.wav"});

  TForm4& media = *f.forms().Form4;
  EXPECT_TRUE(media.isVisible());
  EXPECT_FALSE(f.forms().Form1->isVisible());
  EXPECT_EQ(HandedFilesFixture::lines(*media.ListBox1),
            QStringList({song.toLower(), tune.toLower()}));
  EXPECT_EQ(f.recent.added, QStringList({song, tune})) << "the desktop's recent files";
  ASSERT_TRUE(media.Timer1->Enabled()) << "Play was pressed";
  media.Timer1Timer(media.Timer1);
  EXPECT_EQ(media.Label6->text(), "Playing: 1 of 2");
}

TEST(HandedFiles, PictureFirstShowsTheFirstPictureInTheViewer) {
  HandedFilesFixture f;
  const QString first = f.picture("z.bmp");
  const QString second = f.picture("a.bmp");
  f.file("song.wav");

  f.hand({first, "song.wav", second});

  TForm9& viewer = *f.forms().Form9;
  EXPECT_TRUE(viewer.isVisible());
  EXPECT_EQ(HandedFilesFixture::lines(*viewer.ListBox1),
            QStringList({first.toLower(), second.toLower()}));
  EXPECT_FALSE(viewer.Image1->isHidden()) << "the first picture shows";
}

// The viewer gives way as a person would end a borderless picture, with
// Esc: it is back in its list view when it is next shown.
TEST(HandedFiles, AViewerShowingABorderlessPictureGivesWayInItsListView) {
  HandedFilesFixture f;
  TForm9& viewer = *f.forms().Form9;
  viewer.CheckBox3->setChecked(false);
  f.hand({f.picture("a.bmp")});
  ASSERT_TRUE(viewer.Pictures->pictureShown());
  const QString song = f.file("b.wav");
  f.devices.addFile(song, 30000);

  f.hand({song});

  EXPECT_TRUE(f.forms().Form4->isVisible());
  EXPECT_FALSE(viewer.windowFlags().testFlag(Qt::FramelessWindowHint));
  EXPECT_FALSE(viewer.isFullScreen());
  EXPECT_FALSE(viewer.Panel1->isHidden()) << "the control panel";
}

TEST(HandedFiles, ACueSheetBecomesTheVirtualDrivesDiscAndIsLoaded) {
  HandedFilesFixture f;
  f.devices.insertDisc("virtual", FakeMediaDeviceFactory::audioDisc({60, 70, 80}));
  const QString sheet = f.file("album.cue");

  f.hand({"album.cue"});

  EXPECT_EQ(QSettings(IniSettingsBackend::defaultPath(), QSettings::IniFormat)
                .value("VirtualDrive/Image"),
            sheet);
  EXPECT_TRUE(f.forms().Form1->Label1->text().endsWith("Tracks: 3"));
  EXPECT_TRUE(f.forms().Form1->Button1->isEnabled());
}
