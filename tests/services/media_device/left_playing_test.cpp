// The demo disc left playing when the program ends goes on sounding after the
// program's process has gone, and stops at the start of its last track.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>

#include "captured_sound.h"
#include "disc_image_writer.h"
#include "services/media_device/cd_drive_set.h"
#include "services/media_device/disc_toc.h"
#include "services/media_device/left_playing.h"
#include "services/media_device/media_device_factory.h"

namespace {

qint64 sizeOf(const QString& path) { return QFileInfo(path).size(); }

TEST(LeftPlaying, TheDemoDiscPlaysOnAfterTheProgramHasEndedUpToItsLastTrack) {
  const QString binDir = QCoreApplication::applicationDirPath();
  QTemporaryDir dir;
  const QString capture = dir.filePath("capture.raw");

  QProcess program;
  program.start(binDir + "/left_playing_helper", {dir.filePath("Corvela.conf"), capture});
  ASSERT_TRUE(program.waitForFinished(10000));
  ASSERT_EQ(program.exitCode(), 0) << "the demo disc did not play";

  const qint64 atExit = sizeOf(capture);
  EXPECT_TRUE(waitUntil([&] { return sizeOf(capture) > atExit + 44100; }, 3000))
      << "silence after the program ended";
  // Sound stops once nothing more reaches the capture for a while.
  qint64 last = -1;
  for (int check = 0; check < 20 && sizeOf(capture) != last; ++check) {
    last = sizeOf(capture);
    waitUntil([] { return false; }, 600);
  }
  ASSERT_EQ(sizeOf(capture), last) << "still sounding past the end asked for";

  // Two seconds, ending with exactly the disc's samples just before the last track.
  const CapturedSound sound = CapturedSound::read(capture);
  EXPECT_NEAR(sound.seconds(), 2.0, 0.1);
  QFile cue(binDir + "/demo-disc.cue");
  ASSERT_TRUE(cue.open(QIODevice::ReadOnly));
  const QList<QByteArray> lines = cue.readAll().trimmed().split('\n');
  const QList<QByteArray> lastIndex = lines.last().trimmed().split(' ').last().split(':');
  const qint64 lastTrackFrame =
      (lastIndex[0].toInt() * 60 + lastIndex[1].toInt()) * kFramesPerSecond + lastIndex[2].toInt();
  QFile bin(binDir + "/demo-disc.bin");
  ASSERT_TRUE(bin.open(QIODevice::ReadOnly));
  const qint64 tailBytes = 44100;  // a quarter of a second
  bin.seek(lastTrackFrame * kBytesPerFrame - tailBytes);
  QFile heard(capture);
  ASSERT_TRUE(heard.open(QIODevice::ReadOnly));
  heard.seek(heard.size() - tailBytes);
  EXPECT_TRUE(heard.read(tailBytes) == bin.read(tailBytes))
      << "the end of what sounded is not the end of track 7";
}

// One drive across processes: whoever opens it next takes the sound over.
TEST(LeftPlaying, TheNextRunTakesTheDiscOverSoOnlyOneSoundsAndStopSilencesIt) {
  const QString binDir = QCoreApplication::applicationDirPath();
  QTemporaryDir dir;
  const QString leftCapture = dir.filePath("left.raw");
  QProcess program;
  program.start(binDir + "/left_playing_helper", {dir.filePath("Corvela.conf"), leftCapture, "6"});
  ASSERT_TRUE(program.waitForFinished(10000));
  ASSERT_EQ(program.exitCode(), 0);
  // A second of sound: more than the helper played before it ended.
  ASSERT_TRUE(waitUntil([&] { return sizeOf(leftCapture) > 4 * 44100; }, 3000))
      << "silence after the program ended";

  SystemDeviceOptions options;
  options.settingsFile = dir.filePath("Corvela.conf");
  options.output.captureFile = dir.filePath("next.raw");
  options.physicalDrives = false;
  auto devices = makeSystemMediaDeviceFactory(options);
  auto cd = devices->create(DeviceType::CdAudio);
  cd->open("virtual");
  ASSERT_EQ(cd->mode(), DeviceMode::Playing) << "the disc playing on was not found";
  EXPECT_EQ(unpackTmsf(cd->position()).track, cd->trackCount() - 1);
  const qint64 leftSize = sizeOf(leftCapture);
  waitUntil([] { return false; }, 1000);
  EXPECT_LT(sizeOf(leftCapture) - leftSize, 44100 / 4) << "the first sound goes on beside ours";
  EXPECT_GT(sizeOf(options.output.captureFile), 44100 * 2) << "ours does not sound";
  cd->stop();
  EXPECT_EQ(cd->mode(), DeviceMode::Stopped);
}

// The disc left playing is an image of WAVE files the detached player must
// decode before it can sound: it answers the next run all the same, and
// falls silent, so the disc never sounds twice.
TEST(LeftPlaying, ARunTakingTheDriveOverAtOnceFindsThePlayerStillReadingTheDisc) {
  const QString binDir = QCoreApplication::applicationDirPath();
  QTemporaryDir dir;
  // 48 kHz: not CD audio, so decoded.
  for (const char* name : {"1.wav", "2.wav"}) {
    const QString wav = dir.filePath(name);
    writeWavFile(wav.toStdString(), tone(440, 30));
    QFile file(wav);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    file.seek(24);
    file.write(
        QByteArray::fromHex("80bb0000"
                            "00ee0200"));
  }
  QFile cue(dir.filePath("waves.cue"));
  ASSERT_TRUE(cue.open(QIODevice::WriteOnly));
  cue.write(
      "FILE \"1.wav\" WAVE\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n"
      "FILE \"2.wav\" WAVE\n  TRACK 02 AUDIO\n    INDEX 01 00:00:00\n");
  cue.close();
  const QString settings = dir.filePath("Corvela.conf");
  QSettings(settings, QSettings::IniFormat).setValue("VirtualDrive/Image", cue.fileName());

  const QString capture = dir.filePath("left.raw");
  QProcess program;
  program.start(binDir + "/left_playing_helper", {settings, capture});
  ASSERT_TRUE(program.waitForFinished(20000));
  ASSERT_EQ(program.exitCode(), 0);
  const std::optional<LeftPlay> left =
      takeOverLeftPlay(leftPlayingSocketName(kVirtualDriveName, settings));
  ASSERT_TRUE(left) << "nothing answered for the drive left playing";
  EXPECT_EQ(left->source, cue.fileName());
  const qint64 takenOver = sizeOf(capture);
  waitUntil([] { return false; }, 1500);
  EXPECT_LT(sizeOf(capture) - takenOver, 44100 / 4) << "it sounded after it was taken over";
}

}  // namespace
