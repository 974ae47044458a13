// The virtual drive on generated disc images whose tracks are tones of known
// frequency, heard through a capture output.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <optional>

#include "captured_sound.h"
#include "disc_image_writer.h"
#include "services/media_device/disc_toc.h"
#include "services/media_device/media_device_factory.h"

namespace {

const std::vector<double> kTones{440, 550, 660, 880};
const std::vector<double> kSeconds{2, 1, 1, 2};

std::uint32_t tmsf(int track, int minutes = 0, int seconds = 0) {
  return packTmsf({track, minutes, seconds, 0});
}

class DiscImageTest : public ::testing::Test {
 protected:
  DiscImageTest() {
    std::vector<ImageTrack> tracks;
    for (std::size_t n = 0; n < kTones.size(); ++n)
      tracks.push_back({tone(kTones[n], kSeconds[n]), {}});
    writeDiscImage(path("tones.cue").toStdString(), tracks);
    chooseImage(path("tones.cue"));
    SystemDeviceOptions options;
    options.output.captureFile = path("capture.raw");
    options.settingsFile = path("Corvela.conf");
    options.demoDisc = path("no-demo-disc.cue");
    options.physicalDrives = false;
    devices = makeSystemMediaDeviceFactory(options);
    cd = devices->create(DeviceType::CdAudio);
    cd->onNotify([this](NotifyResult result) { events.push_back(result); });
    cd->open("virtual");
  }

  QString path(const QString& name) const { return dir.filePath(name); }
  void chooseImage(const QString& cue) {
    QSettings(path("Corvela.conf"), QSettings::IniFormat).setValue("VirtualDrive/Image", cue);
  }
  void playTrack(int track, bool notify = false) {
    cd->setStart(tmsf(track));
    if (track < cd->trackCount()) cd->setEnd(tmsf(track + 1));
    cd->setNotify(notify);
    cd->play();
  }
  bool waitForStop(int timeoutMs = 5000) {
    return waitUntil([this] { return cd->mode() != DeviceMode::Playing; }, timeoutMs);
  }
  CapturedSound heard() const { return CapturedSound::read(path("capture.raw")); }
  void writeFile(const QString& name, const QByteArray& bytes) const {
    QFile file(path(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
  }

  QTemporaryDir dir;
  std::unique_ptr<MediaDeviceFactory> devices;
  std::unique_ptr<MediaDevice> cd;
  std::vector<NotifyResult> events;
};

TEST_F(DiscImageTest, ReadsTheTableOfContentsOfTheImage) {
  EXPECT_EQ(devices->cdDriveList(), QStringList{"virtual [CD Drive]"});
  EXPECT_EQ(devices->volumeLabel("virtual"), "Audio CD");
  ASSERT_EQ(cd->trackCount(), 4);
  EXPECT_EQ(cd->trackLength(1), 0u | 2u << 8);
  EXPECT_EQ(cd->trackLength(2), 0u | 1u << 8);
  EXPECT_EQ(cd->trackPosition(4), tmsf(4));
  cd->setTimeFormat(TimeFormat::Milliseconds);
  EXPECT_EQ(cd->trackPosition(3), 3000u);
  EXPECT_EQ(cd->length(), 6000u);
}

TEST_F(DiscImageTest, PlayingTrackThreeAloneSoundsItsToneAndEndsAtItsBoundary) {
  playTrack(3, true);
  EXPECT_EQ(cd->mode(), DeviceMode::Playing);
  ASSERT_TRUE(waitForStop());
  EXPECT_EQ(cd->position(), tmsf(4));
  waitUntil([this] { return !events.empty(); }, 1000);
  EXPECT_EQ(events, std::vector{NotifyResult::Successful});

  const CapturedSound sound = heard();
  EXPECT_NEAR(sound.audibleSeconds(), 1.0, 0.05);
  EXPECT_EQ(sound.strongest(kTones, 0, sound.seconds()), 660);
}

TEST_F(DiscImageTest, PauseReportsStoppedAndResumesAtTheSamePosition) {
  playTrack(1);
  waitUntil([] { return false; }, 500);
  cd->pause();
  const auto pausedAt = cd->position();
  EXPECT_EQ(cd->mode(), DeviceMode::Stopped);
  waitUntil([] { return false; }, 300);
  EXPECT_EQ(cd->position(), pausedAt);
  cd->pause();
  EXPECT_EQ(cd->mode(), DeviceMode::Playing);
  ASSERT_TRUE(waitForStop());
  EXPECT_EQ(cd->position(), tmsf(2));
  // Nothing lost and nothing played twice across the pause.
  EXPECT_NEAR(heard().audibleSeconds(), 2.0, 0.06);
}

// Every way a track takes over from one that sounds: the stream it goes on in
// holds nothing more of the one before, and loses nothing of the new one.
TEST_F(DiscImageTest, ATrackTakingOverMidPlaySoundsAloneAndWhole) {
  const auto sounds = [] { waitUntil([] { return false; }, 500); };
  playTrack(1);
  sounds();
  cd->stop();
  playTrack(4);
  sounds();
  playTrack(2);  // over the play of track 4
  sounds();
  cd->pause();
  cd->close();
  cd->open("virtual");
  playTrack(3);
  ASSERT_TRUE(waitForStop());
  EXPECT_EQ(cd->position(), tmsf(4));

  const CapturedSound sound = heard();
  // Half a second of each of tracks 1, 4 and 2 (as the waits keep time), then
  // all of track 3.
  EXPECT_NEAR(sound.audibleSeconds(), 2.5, 0.2);
  EXPECT_EQ(sound.strongest(kTones, 0.1, 0.4), 440);
  EXPECT_EQ(sound.strongest(kTones, 0.6, 0.9), 880);
  EXPECT_EQ(sound.strongest(kTones, 1.1, 1.4), 550);
  EXPECT_EQ(sound.strongest(kTones, 1.6, 2.4), 660);
}

TEST_F(DiscImageTest, AHandleOpenedWhileTheDiscPlaysSeesItPlaying) {
  playTrack(4);
  waitUntil([] { return false; }, 300);
  cd->close();
  auto other = devices->create(DeviceType::CdAudio);
  other->open("virtual");
  EXPECT_EQ(other->mode(), DeviceMode::Playing);
  const Tmsf at = unpackTmsf(other->position());
  EXPECT_EQ(at.track, 4);
  other->stop();
  EXPECT_EQ(other->mode(), DeviceMode::Stopped);
  EXPECT_EQ(heard().strongest(kTones, 0, 0.2), 880);
}

TEST_F(DiscImageTest, EjectOpensTheDoorAndTheNextOpenLoadsTheDiscAgain) {
  cd->eject();
  EXPECT_EQ(cd->mode(), DeviceMode::Open);
  EXPECT_EQ(cd->trackLength(1), 0u);
  cd->open("virtual");
  EXPECT_EQ(cd->mode(), DeviceMode::Stopped);
  EXPECT_EQ(cd->trackCount(), 4);
}

TEST_F(DiscImageTest, AMissingOrBrokenImageIsAnEmptyDriveThatSaysWhy) {
  writeFile("no-bin.cue", "FILE \"gone.bin\" BINARY\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n");
  writeFile(
      "no-index.cue",
      "FILE \"tones.bin\" BINARY\n  TRACK 01 AUDIO\n  TRACK 02 AUDIO\n    INDEX 01 00:01:00\n");
  writeFile("garbage.cue", QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
  writeFile("long-gap.cue",
            "FILE \"tones.bin\" BINARY\n  TRACK 01 AUDIO\n    PREGAP 00:66666602:00\n    INDEX 01 "
            "00:00:00\n");
  const std::vector<std::pair<QString, QString>> images{
      {"missing.cue", ""},
      {"", ""},  // none named: the demo disc, missing here
      {"no-bin.cue",
       "The disc image \"no-bin.cue\" cannot be played: the file \"gone.bin\" it names cannot be "
       "found."},
      {"no-index.cue",
       "The disc image \"no-index.cue\" cannot be played: track 1 has no INDEX 01."},
      {"garbage.cue", "The disc image \"garbage.cue\" cannot be played: it is not a cue sheet."},
      {"long-gap.cue",
       "The disc image \"long-gap.cue\" cannot be played: \"00:66666602:00\" is not a time on a "
       "disc."}};
  for (const auto& [image, problem] : images) {
    chooseImage(image.isEmpty() ? image : path(image));
    SCOPED_TRACE(image.toStdString());
    ASSERT_NO_THROW(cd->open("virtual"));
    EXPECT_EQ(cd->trackLength(1), 0u);
    EXPECT_EQ(cd->mode(), DeviceMode::NotReady);
    EXPECT_EQ(devices->discProblem("virtual"), problem);
    EXPECT_THROW(cd->play(), MediaDeviceError);
  }
}

// As ripping tools write them: a bin of any name in big-endian order, a PREGAP
// of silence, CR LF line ends without a last one, CD-Text.
TEST_F(DiscImageTest, ABigEndianBinOfAnyNameWithAPregapPlaysEachTrack) {
  std::vector<std::int16_t> samples = tone(440, 1);
  const std::vector<std::int16_t> second = tone(660, 1);
  samples.insert(samples.end(), second.begin(), second.end());
  QByteArray bin(reinterpret_cast<const char*>(samples.data()),
                 static_cast<qsizetype>(samples.size() * 2));
  for (qsizetype i = 0; i + 1 < bin.size(); i += 2) std::swap(bin[i], bin[i + 1]);
  writeFile("Album Image (Disc 1).bin", bin);
  writeFile(
      "album.cue",
      "TITLE \"Tones\"\r\nPERFORMER \"Corvela\"\r\nFILE \"Album Image (Disc 1).bin\" MOTOROLA\r\n"
      "  TRACK 01 AUDIO\r\n    TITLE \"Low\"\r\n    INDEX 01 00:00:00\r\n"
      "  TRACK 02 AUDIO\r\n    PERFORMER \"Someone\"\r\n    PREGAP 00:01:00\r\n    INDEX 01 "
      "00:01:00");
  chooseImage(path("album.cue"));
  cd->open("virtual");
  ASSERT_EQ(cd->trackCount(), 2);
  EXPECT_EQ(cd->trackLength(1), 0u | 2u << 8) << "track 1 runs on through the pregap";
  const DiscToc disc = devices->disc("virtual");
  EXPECT_EQ(disc.text, (CdText{"Tones", "Corvela"}));
  EXPECT_EQ(disc.tracks[0].text.title, "Low");
  EXPECT_EQ(disc.tracks[1].text.performer, "Someone");
  playTrack(1);
  ASSERT_TRUE(waitForStop());
  playTrack(2);
  ASSERT_TRUE(waitForStop());
  const CapturedSound sound = heard();
  EXPECT_NEAR(sound.audibleSeconds(), 2.0, 0.06);
  EXPECT_EQ(sound.strongest(kTones, 0.1, 0.9), 440);
  EXPECT_EQ(sound.strongest(kTones, 2.1, 2.9), 660);
}

TEST_F(DiscImageTest, OneWaveFilePerTrackPlaysEachTrack) {
  QByteArray sheet;
  for (int n = 1; n <= 3; ++n) {
    const QString name = QString("0%1 - x.wav").arg(n);
    writeWavFile(path(name).toStdString(), tone(kTones[static_cast<std::size_t>(n)], 1));
    sheet += "FILE \"" + name.toUtf8() + "\" WAVE\n  TRACK 0" + QByteArray::number(n) +
             " AUDIO\n    INDEX 01 00:00:00\n";
  }
  writeFile("waves.cue", sheet);
  chooseImage(path("waves.cue"));
  cd->open("virtual");
  ASSERT_EQ(cd->trackCount(), 3);
  EXPECT_EQ(cd->trackLength(2), 0u | 1u << 8);
  playTrack(3);
  ASSERT_TRUE(waitForStop());
  EXPECT_EQ(heard().strongest(kTones, 0.1, 0.9), 880);
}

// Ripping tools write CD audio in their WAVE files: it plays as it lies, so
// an image opens, and a drive left playing sounds again, without the wait of
// decoding. A WAVE file of another rate is still decoded.
TEST_F(DiscImageTest, AWaveFileOfCdAudioIsReadAsItLiesAndAnyOtherIsDecoded) {
  writeWavFile(path("cd.wav").toStdString(), tone(kTones[0], 1));
  writeWavFile(path("dat.wav").toStdString(), tone(kTones[1], 1));
  QFile dat(path("dat.wav"));
  ASSERT_TRUE(dat.open(QIODevice::ReadWrite));
  dat.seek(24);
  dat.write(
      QByteArray::fromHex("80bb0000"
                          "00ee0200"));  // 48 kHz, its byte rate
  dat.close();
  writeFile("mixed.cue",
            "FILE \"cd.wav\" WAVE\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n"
            "FILE \"dat.wav\" WAVE\n  TRACK 02 AUDIO\n    INDEX 01 00:00:00\n");
  chooseImage(path("mixed.cue"));
  // Decoded sound goes to the temporary folder: this test's own, to count it.
  const std::optional<QByteArray> tempBefore =
      qEnvironmentVariableIsSet("TMPDIR") ? std::optional(qgetenv("TMPDIR")) : std::nullopt;
  ASSERT_TRUE(QDir(dir.path()).mkdir("tmp"));
  qputenv("TMPDIR", path("tmp").toUtf8());
  cd->open("virtual");
  const QStringList decoded = QDir(path("tmp")).entryList(QDir::Files);
  tempBefore ? qputenv("TMPDIR", *tempBefore) : qunsetenv("TMPDIR");
  ASSERT_EQ(cd->trackCount(), 2);
  EXPECT_EQ(decoded.size(), 1) << decoded.join(", ").toStdString();
  playTrack(1);
  ASSERT_TRUE(waitForStop());
  EXPECT_EQ(heard().strongest(kTones, 0.1, 0.9), kTones[0]);
}

// The code page of a Western Windows machine: Latin-1 but for the euro sign here.
QByteArray windows1252(const QString& text) {
  return QString(text).replace(QChar(0x20AC), QChar(0x80)).toLatin1();
}

TEST_F(DiscImageTest, SheetsInEachEncodingWindowsSavesNameTheirFileAndTitles) {
  QFile::copy(path("tones.bin"), path("Café.bin"));
  const QString sheet =
      "TITLE \"Señor €\"\r\nFILE \"Café.bin\" BINARY\r\n  TRACK 01 AUDIO\r\n    TITLE "
      "\"Café\"\r\n    INDEX 01 00:00:00\r\n";
  const QByteArray utf16Mark("\xFF\xFE");
  QByteArray utf16(utf16Mark);
  utf16.append(reinterpret_cast<const char*>(sheet.utf16()), sheet.size() * 2);
  const std::vector<std::pair<const char*, QByteArray>> encodings{
      {"UTF-8", sheet.toUtf8()},
      {"UTF-8 with a mark", "\xEF\xBB\xBF" + sheet.toUtf8()},
      {"Windows-1252", windows1252(sheet)},
      {"Windows-1252 behind a UTF-8 mark", "\xEF\xBB\xBF" + windows1252(sheet)},
      {"UTF-16 with a mark", utf16}};
  for (const auto& [encoding, bytes] : encodings) {
    SCOPED_TRACE(encoding);
    writeFile("sheet.cue", bytes);
    chooseImage(path("sheet.cue"));
    cd->open("virtual");
    EXPECT_EQ(devices->discProblem("virtual"), "");
    const DiscToc disc = devices->disc("virtual");
    ASSERT_EQ(disc.tracks.size(), 1u);
    EXPECT_EQ(disc.text.title, "Señor €");
    EXPECT_EQ(disc.tracks[0].text.title, "Café");
  }
}

// As a ripper on Windows saves it: its code page behind a UTF-8 mark, CR LF,
// backslashes, letter case that is not the files', a folder of the ripper's
// own machine, one WAVE file a track.
TEST_F(DiscImageTest, ASheetAsAWindowsRipperSavesItPlaysEveryTrack) {
  ASSERT_TRUE(QDir(path("")).mkdir("cd1"));
  writeWavFile(path("cd1/01 - café.wav").toStdString(), tone(550, 0.5));
  writeWavFile(path("cd1/Track02.WAV").toStdString(), tone(660, 0.5));
  writeWavFile(path("03 - end.wav").toStdString(), tone(880, 0.5));
  writeFile("Album.cue",
            "\xEF\xBB\xBF" + windows1252("FILE \"CD1\\01 - CAFÉ.wav\" WAVE\r\n"
                                         "  TRACK 01 AUDIO\r\n    INDEX 01 00:00:00\r\n"
                                         "FILE \"cd1\\track02.wav\" WAVE\r\n"
                                         "  TRACK 02 AUDIO\r\n    INDEX 01 00:00:00\r\n"
                                         "FILE \"C:\\Rips\\03 - End.wav\" WAVE\r\n"
                                         "  TRACK 03 AUDIO\r\n    INDEX 01 00:00:00\r\n"));
  chooseImage(path("Album.cue"));
  cd->open("virtual");
  EXPECT_EQ(devices->discProblem("virtual"), "");
  ASSERT_EQ(cd->trackCount(), 3);
  for (int track = 1; track <= 3; ++track) {
    playTrack(track);
    ASSERT_TRUE(waitForStop());
  }
  const CapturedSound sound = heard();
  EXPECT_NEAR(sound.audibleSeconds(), 1.5, 0.06);
  EXPECT_EQ(sound.strongest(kTones, 0.05, 0.45), 550);
  EXPECT_EQ(sound.strongest(kTones, 0.55, 0.95), 660);
  EXPECT_EQ(sound.strongest(kTones, 1.05, 1.45), 880);
}

TEST_F(DiscImageTest, AnImageCutShortPlaysWhatItHas) {
  QFile bin(path("tones.bin"));
  ASSERT_TRUE(bin.resize(static_cast<qint64>(3.5 * kFramesPerSecond) * kBytesPerFrame));
  cd->open("virtual");
  ASSERT_GE(cd->trackCount(), 3);
  playTrack(3);
  ASSERT_TRUE(waitForStop());
  EXPECT_NEAR(heard().audibleSeconds(), 0.5, 0.06);
}

TEST_F(DiscImageTest, AMixedModeDiscReportsTheVolumeIdOfItsDataTrack) {
  writeDiscImage(path("mixed.cue").toStdString(), {{{}, "CORVELA_DATA"}, {tone(440, 1), {}}});
  chooseImage(path("mixed.cue"));
  EXPECT_EQ(devices->volumeLabel("virtual"), "CORVELA_DATA");
  cd->open("virtual");
  EXPECT_EQ(cd->trackCount(), 2);
}

}  // namespace
