#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include "platform/instance_marker.h"

namespace {

QString probe() { return QCoreApplication::applicationDirPath() + "/instance_marker_probe"; }

// Runs the event loop until the condition holds or the time is up.
template <class Condition>
bool waitFor(Condition condition, int milliseconds = 5000) {
  QElapsedTimer clock;
  clock.start();
  while (!condition() && clock.elapsed() < milliseconds)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
  return condition();
}

}  // namespace

TEST(InstanceMarker, ASecondProcessWakesTheCopyThatHoldsTheMarker) {
  QTemporaryDir dir;
  const QString name = dir.filePath("marker");
  LocalSocketInstanceMarker running(name);
  EXPECT_FALSE(running.exists());
  int wakeRequests = 0;
  running.claim([&] { ++wakeRequests; });
  EXPECT_TRUE(running.exists());

  QProcess second;
  second.start(probe(), {"wake", name});
  ASSERT_TRUE(waitFor([&] { return second.state() == QProcess::NotRunning && wakeRequests == 1; }));
  EXPECT_EQ(second.exitCode(), 0);

  running.release();
  EXPECT_FALSE(running.exists()) << "ending releases the marker";
}

TEST(InstanceMarker, AMarkerLeftByAKilledCopyIsStaleAndCanBeTakenOver) {
  QTemporaryDir dir;
  const QString name = dir.filePath("marker");
  QProcess crashed;
  crashed.start(probe(), {"hold", name});
  ASSERT_TRUE(crashed.waitForReadyRead(5000));
  crashed.kill();
  crashed.waitForFinished();

  LocalSocketInstanceMarker next(name);
  ASSERT_TRUE(next.exists());
  EXPECT_FALSE(next.runningCopyAnswers());
  int wakeRequests = 0;
  next.claim([&] { ++wakeRequests; });

  QProcess third;
  third.start(probe(), {"wake", name});
  ASSERT_TRUE(waitFor([&] { return third.state() == QProcess::NotRunning && wakeRequests == 1; }));
  EXPECT_EQ(third.exitCode(), 0);
}

TEST(InstanceMarker, ASecondProcessHandsItsFilesAndFolderToTheRunningCopy) {
  QTemporaryDir dir;
  const QString name = dir.filePath("marker");
  LocalSocketInstanceMarker running(name);
  int wakeRequests = 0;
  running.claim([&] { ++wakeRequests; });
  QString folder;
  QStringList files;
  running.onFilesHandedOver([&](const QString& from, const QStringList& named) {
    folder = from;
    files = named;
  });

  const QStringList named = {"song one.mp3", "/music/b\nc.wav"};
  QProcess second;
  second.start(probe(), QStringList{"hand", name, "/home/me"} + named);
  ASSERT_TRUE(waitFor([&] { return second.state() == QProcess::NotRunning; }));
  EXPECT_EQ(second.exitCode(), 0);
  EXPECT_EQ(folder, "/home/me");
  EXPECT_EQ(files, named);
  EXPECT_EQ(wakeRequests, 0) << "files are not the plain request to come forward";
}

// Taking files may ask a question, whose loop runs while the later copy hangs
// up; the running copy lives through it and takes the next copy's files too.
TEST(InstanceMarker, FilesMayBeTakenInAQuestionWhileTheLaterCopyHangsUp) {
  QTemporaryDir dir;
  const QString name = dir.filePath("marker");
  LocalSocketInstanceMarker running(name);
  running.claim([] {});
  QProcess later;
  QStringList taken;
  running.onFilesHandedOver([&](const QString&, const QStringList& named) {
    taken << named;
    QEventLoop question;
    QObject::connect(&later, &QProcess::finished, &question,
                     [&] { QTimer::singleShot(200, &question, &QEventLoop::quit); });
    QTimer::singleShot(5000, &question, &QEventLoop::quit);
    if (later.state() != QProcess::NotRunning) question.exec();
  });

  for (const QString file : {"a.jpg", "b.jpg"}) {
    later.start(probe(), {"hand", name, "/home/me", file});
    ASSERT_TRUE(
        waitFor([&] { return later.state() == QProcess::NotRunning && taken.endsWith(file); }));
    EXPECT_EQ(later.exitCode(), 0);
  }
}
