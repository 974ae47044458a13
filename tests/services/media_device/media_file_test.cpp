// Media files through GStreamer: generated WAV, MP3, MIDI, AVI, MPEG and
// video CD files, their lengths, positions, completion events and pictures.
#include <gst/gst.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QDataStream>
#include <QFile>
#include <QImage>
#include <QPalette>
#include <QTemporaryDir>
#include <QWidget>
#include <cmath>

#include "captured_sound.h"
#include "disc_image_writer.h"
#include "services/media_device/media_device_factory.h"

namespace {

// Runs a GStreamer pipeline that writes a file to its end.
void encode(const QString& description) {
  gst_init(nullptr, nullptr);
  GError* error = nullptr;
  GstElement* pipeline = gst_parse_launch(description.toUtf8().constData(), &error);
  ASSERT_TRUE(pipeline) << (error ? error->message : "");
  gst_element_set_state(pipeline, GST_STATE_PLAYING);
  GstBus* bus = gst_element_get_bus(pipeline);
  GstMessage* end = gst_bus_timed_pop_filtered(
      bus, 30 * GST_SECOND, static_cast<GstMessageType>(GST_MESSAGE_EOS | GST_MESSAGE_ERROR));
  ASSERT_TRUE(end && GST_MESSAGE_TYPE(end) == GST_MESSAGE_EOS) << description.toStdString();
  gst_message_unref(end);
  gst_object_unref(bus);
  gst_element_set_state(pipeline, GST_STATE_NULL);
  gst_object_unref(pipeline);
}

// Four crotchets at 120 a minute: two seconds.
void writeMidi(const QString& path) {
  QByteArray track;
  for (char note : {60, 64, 67, 72}) {
    track.append("\x00\x90", 2).append(note).append('\x60');
    track.append("\x83\x60\x80", 3).append(note).append('\x00');  // delta 480
  }
  track.append("\x00\xff\x2f\x00", 4);
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  QDataStream out(&file);
  out.writeRawData("MThd", 4);
  out << quint32(6) << quint16(0) << quint16(1) << quint16(480);
  out.writeRawData("MTrk", 4);
  out << quint32(track.size());
  out.writeRawData(track.constData(), static_cast<int>(track.size()));
}

// A video CD file: the system stream in RIFF/CDXA form, in 2352-byte sectors.
void wrapAsVideoCd(const QString& mpeg, const QString& dat) {
  QFile in(mpeg);
  ASSERT_TRUE(in.open(QIODevice::ReadOnly));
  const QByteArray stream = in.readAll();
  QByteArray sectors;
  const QByteArray sync = QByteArray("\x00", 1) + QByteArray(10, '\xff') + QByteArray("\x00", 1);
  for (qsizetype at = 0; at < stream.size(); at += 2324) {
    sectors += sync + QByteArray("\x00\x02\x00\x02\x01\x01\x64\x80\x01\x01\x64\x80", 12);
    QByteArray payload = stream.mid(at, 2324);
    payload.resize(2324, '\0');
    sectors += payload + QByteArray(4, '\0');
  }
  QFile out(dat);
  ASSERT_TRUE(out.open(QIODevice::WriteOnly));
  QDataStream data(&out);
  data.setByteOrder(QDataStream::LittleEndian);
  data.writeRawData("RIFF", 4);
  data << quint32(sectors.size() + 36);
  data.writeRawData("CDXAfmt ", 8);
  data << quint32(16);
  data.writeRawData(QByteArray(16, '\0').constData(), 16);
  data.writeRawData("data", 4);
  data << quint32(sectors.size());
  data.writeRawData(sectors.constData(), static_cast<int>(sectors.size()));
}

class MediaFileTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    media = new QTemporaryDir;
    writeWavFile(at("tone.wav").toStdString(), tone(440, 1.5));
    writeMidi(at("tune.mid"));
    encode(
        "audiotestsrc freq=550 num-buffers=100 samplesperbuffer=441 ! "
        "audio/x-raw,rate=44100,channels=2 ! "
        "lamemp3enc target=bitrate cbr=true bitrate=128 ! filesink location=" +
        at("tone.mp3"));
    encode(
        "videotestsrc pattern=red num-buffers=50 ! video/x-raw,width=160,height=120,framerate=25/1 "
        "! jpegenc ! "
        "avimux ! filesink location=" +
        at("red.avi"));
    encode(
        "audiotestsrc freq=660 num-buffers=100 samplesperbuffer=882 ! "
        "audio/x-raw,rate=44100,channels=2 ! "
        "avenc_mp2 ! mpegaudioparse ! avmux_dvd ! filesink location=" +
        at("tone.mpg"));
    // The MPEG-1/2 video encoders are not at hand here: H.264 pictures in a system stream.
    encode("mpegpsmux name=mux ! filesink location=" + at("green.mpg") +
           " videotestsrc pattern=green num-buffers=50 ! "
           "video/x-raw,width=352,height=288,framerate=25/1 ! "
           "x264enc ! h264parse ! mux. audiotestsrc num-buffers=100 samplesperbuffer=882 ! "
           "audio/x-raw,rate=44100,channels=2 ! avenc_mp2 ! mpegaudioparse ! mux.");
    wrapAsVideoCd(at("green.mpg"), at("green.dat"));
  }
  static void TearDownTestSuite() { delete media; }
  static QString at(const QString& name) { return media->filePath(name); }

  MediaFileTest() {
    SystemDeviceOptions options;
    options.output.captureFile = capture.filePath("capture.raw");
    options.physicalDrives = false;
    devices = makeSystemMediaDeviceFactory(options);
    file = devices->create(DeviceType::AutoSelect);
    file->onNotify([this](NotifyResult result) { events.push_back(result); });
  }
  void notifiedPlay() {
    file->setNotify(true);
    file->play();
  }
  bool waitForEnd(int timeoutMs = 6000) {
    return waitUntil([this] { return file->mode() != DeviceMode::Playing; }, timeoutMs);
  }
  static void pauseFor(int ms) {
    waitUntil([] { return false; }, ms);
  }

  static QTemporaryDir* media;
  QTemporaryDir capture;
  std::unique_ptr<MediaDeviceFactory> devices;
  std::unique_ptr<MediaDevice> file;
  std::vector<NotifyResult> events;
};

QTemporaryDir* MediaFileTest::media = nullptr;

TEST_F(MediaFileTest, LengthsAreWithinFiftyMillisecondsOfTheTruth) {
  const std::vector<std::pair<QString, int>> truths{{"tone.wav", 1500},
                                                    {"tone.mp3", 1000},
                                                    {"tune.mid", 2000},
                                                    {"red.avi", 2000},
                                                    {"tone.mpg", 2000}};
  for (const auto& [name, length] : truths) {
    SCOPED_TRACE(name.toStdString());
    ASSERT_NO_THROW(file->open(at(name)));
    EXPECT_EQ(file->trackCount(), 1);
    EXPECT_NEAR(static_cast<int>(file->length()), length, 50);
    EXPECT_EQ(file->trackLength(1), file->length());
  }
}

TEST_F(MediaFileTest, PositionsAdvanceInRealTimeAndTheRightSoundIsHeard) {
  file->open(at("tone.wav"));
  file->play();
  pauseFor(600);
  EXPECT_NEAR(static_cast<int>(file->position()), 600, 120);
  ASSERT_TRUE(waitForEnd());
  EXPECT_EQ(file->position(), 1500u);
  const CapturedSound sound = CapturedSound::read(capture.filePath("capture.raw"));
  EXPECT_NEAR(sound.audibleSeconds(), 1.5, 0.05);
  EXPECT_EQ(sound.strongest({330, 440, 550}, 0, sound.seconds()), 440);
}

TEST_F(MediaFileTest, ANotifiedPlayToItsEndGivesOneSuccessfulEvent) {
  for (const QString name : {"tune.mid", "tone.mp3"}) {
    SCOPED_TRACE(name.toStdString());
    events.clear();
    file->open(at(name));
    notifiedPlay();
    ASSERT_TRUE(waitForEnd());
    pauseFor(300);
    EXPECT_EQ(events, std::vector{NotifyResult::Successful});
  }
}

TEST_F(MediaFileTest, StopAbortsAndANewPlaySupersedes) {
  file->open(at("tone.wav"));
  notifiedPlay();
  pauseFor(200);
  file->stop();
  notifiedPlay();
  pauseFor(200);
  file->setStart(1200);
  notifiedPlay();
  ASSERT_TRUE(waitForEnd());
  pauseFor(300);
  EXPECT_EQ(events, (std::vector{NotifyResult::Aborted, NotifyResult::Superseded,
                                 NotifyResult::Successful}));
}

TEST_F(MediaFileTest, VideoFramesAreDrawnStretchedIntoTheRectangleGiven) {
  QWidget panel;
  panel.setPalette(QPalette(Qt::black));
  panel.setAutoFillBackground(true);
  panel.resize(300, 230);
  panel.show();
  file->open(at("red.avi"));
  file->setDisplay(&panel);
  file->setDisplayRect({20, 10, 200, 150});
  file->play();
  ASSERT_TRUE(waitUntil([&] { return qRed(panel.grab().toImage().pixel(120, 85)) > 200; }, 3000));
  const QImage shown = panel.grab().toImage();
  EXPECT_LT(qGreen(shown.pixel(120, 85)), 60);
  EXPECT_GT(qRed(shown.pixel(218, 158)), 200);  // stretched to the corner of the rectangle
  EXPECT_LT(qRed(shown.pixel(250, 200)), 200);  // and not beyond it
}

TEST_F(MediaFileTest, WithoutADisplayWindowVideoGetsAWindowOfItsOwnAtItsOwnSize) {
  for (const QString name : {"red.avi", "green.dat"}) {
    SCOPED_TRACE(name.toStdString());
    file->open(at(name));
    file->setDisplay(nullptr);
    file->play();
    QWidget* own = nullptr;
    ASSERT_TRUE(waitUntil(
        [&] {
          for (QWidget* window : QApplication::topLevelWidgets())
            if (window->isVisible() && window->inherits("VideoSurface")) own = window;
          return own != nullptr;
        },
        3000));
    EXPECT_EQ(own->size(), name.endsWith(".avi") ? QSize(160, 120) : QSize(352, 288));
    file->close();
  }
}

TEST_F(MediaFileTest, BadFilesGiveAClearErrorOrPlayWhatCanBePlayed) {
  QFile(at("empty.wav")).open(QIODevice::WriteOnly);
  QFile::copy(at("tone.mp3"), at("mislabelled.wav"));
  QFile corrupt(at("corrupt.avi"));
  corrupt.open(QIODevice::WriteOnly);
  for (int n = 0; n < 4000; ++n) corrupt.write(QByteArray::number(n * 7919 % 251));
  corrupt.close();
  QFile::copy(at("tone.wav"), at("truncated.wav"));
  QFile(at("truncated.wav")).resize(44 + 44100 * 4 / 2);

  for (const QString name : {"empty.wav", "corrupt.avi", "missing.wav"}) {
    SCOPED_TRACE(name.toStdString());
    try {
      file->open(at(name));
      FAIL() << "opened";
    } catch (const MediaDeviceError& error) {
      EXPECT_TRUE(error.message().startsWith("Cannot play \"" + at(name) + "\": "))
          << error.message().toStdString();
    }
    EXPECT_FALSE(file->isOpen());
  }
  file->open(at("mislabelled.wav"));
  EXPECT_NEAR(static_cast<int>(file->length()), 1000, 50);
  file->open(at("truncated.wav"));
  EXPECT_NEAR(static_cast<int>(file->length()), 500, 50);
  notifiedPlay();
  ASSERT_TRUE(waitForEnd());
}

TEST(MediaFileSoundFont, MidiWithoutItsSoundFontIsRefusedWithTheReason) {
  QTemporaryDir dir;
  writeMidi(dir.filePath("tune.mid"));
  SystemDeviceOptions options;
  options.output.captureFile = dir.filePath("capture.raw");
  options.soundFont = dir.filePath("gone.sf2");
  auto file = makeSystemMediaDeviceFactory(options)->create(DeviceType::AutoSelect);
  try {
    file->open(dir.filePath("tune.mid"));
    FAIL() << "opened";
  } catch (const MediaDeviceError& error) {
    EXPECT_TRUE(error.message().contains("sound font")) << error.message().toStdString();
  }
}

}  // namespace
