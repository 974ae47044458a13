// The media player on the real devices: sound files through the media
// device, MPEG audio through the MPEG library, both heard on a sound server
// whose only output is recorded.
#include <gtest/gtest.h>
#include <QCheckBox>
#include <QDataStream>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <cmath>

#include "captured_sound.h"
#include "fake_platform.h"
#include "platform/settings_backend.h"
#include "platform/timer.h"
#include "services/media_device/media_device_factory.h"
#include "tone_media.h"
#include "ui_double.h"
#include "windows/media/media_player_window.h"
#include "wiring/corvela_program.h"

namespace {

constexpr int kRate = 44100;

// A sine tone as a 16-bit stereo WAV file.
void writeWav(const QString& path, int frequency, int milliseconds) {
  const qint32 frames = kRate / 1000 * milliseconds;
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  QDataStream out(&file);
  out.setByteOrder(QDataStream::LittleEndian);
  out.writeRawData("RIFF", 4);
  out << qint32(36 + frames * 4);
  out.writeRawData("WAVEfmt ", 8);
  out << qint32(16) << qint16(1) << qint16(2) << qint32(kRate) << qint32(kRate * 4) << qint16(4)
      << qint16(16);
  out.writeRawData("data", 4);
  out << qint32(frames * 4);
  for (qint32 n = 0; n < frames; ++n) {
    const auto sample = static_cast<qint16>(12000 * std::sin(2 * M_PI * frequency * n / kRate));
    out << sample << sample;
  }
}

// The tones heard, in order: the strongest candidate of each loud quarter second, once per stretch.
std::vector<double> tonesHeard(const QString& capture, const std::vector<double>& candidates) {
  const CapturedSound heard = CapturedSound::read(capture);
  QFile file(capture);
  file.open(QIODevice::ReadOnly);
  const QByteArray bytes = file.readAll();
  const auto* samples = reinterpret_cast<const qint16*>(bytes.constData());
  const qsizetype perWindow = kRate / 4 * 2;
  std::vector<double> tones;
  for (qsizetype at = 0; at + perWindow <= bytes.size() / 2; at += perWindow) {
    double energy = 0;
    for (qsizetype i = at; i < at + perWindow; ++i) energy += double(samples[i]) * samples[i];
    if (std::sqrt(energy / perWindow) < 1000) continue;
    const double seconds = double(at) / 2 / kRate;
    const double tone = heard.strongest(candidates, seconds, seconds + 0.25);
    if (tones.empty() || tones.back() != tone) tones.push_back(tone);
  }
  return tones;
}

}  // namespace

TEST(MediaOnTheRealDevices, ATickedWavThenATickedMp3AreHeardInThatOrder) {
  ASSERT_FALSE(qEnvironmentVariableIsEmpty("PULSE_SERVER")) << "run under with_sound_server.sh";
  QTemporaryDir dir;
  const QStringList files{dir.filePath("a.wav"), dir.filePath("b.wav"), dir.filePath("c.mp3")};
  writeWav(files[0], 440, 1500);
  writeWav(files[1], 550, 1500);
  writeTone(files[2], Tone{.layer = Tone::Layer::Three, .frequency = 660, .milliseconds = 1500});

  QProcess recorder;
  recorder.setStandardOutputFile(dir.filePath("heard.raw"));
  recorder.start("parec", {"--format=s16le", "--rate=44100", "--channels=2", "--latency-msec=20"});
  ASSERT_TRUE(recorder.waitForStarted());

  UiDouble ui;
  FakePlatform platform;
  IniSettingsBackend settings;
  SystemDeviceOptions options;
  options.settingsFile = dir.filePath("Corvela.conf");
  options.physicalDrives = false;
  const std::unique_ptr<MediaDeviceFactory> devices = makeSystemMediaDeviceFactory(options);
  CorvelaProgram corvela(ui, settings, platform.services(), *devices);
  TForm4& media = *corvela.forms.Form4;
  media.show();
  ui.expectOpenFiles(files);
  media.Button12Click();
  media.ListBox1->item(1)->setCheckState(Qt::Unchecked);
  ui.allowMessages(false);

  media.Button1Click(media.Button1);
  QStringList shown;
  ASSERT_TRUE(waitUntil(
      [&] {
        if (!media.Label6->text().isEmpty() && !shown.contains(media.Label6->text()))
          shown << media.Label6->text();
        return shown.size() == 2 && !media.Timer1->Enabled();
      },
      15000));
  EXPECT_EQ(shown, (QStringList{"Playing: 1 of 3", "Playing: 3 of 3"}));
  EXPECT_EQ(media.Sequence.PlayCursor(), 0);
  waitUntil([] { return false; }, 500);  // the recording catches up
  recorder.terminate();
  recorder.waitForFinished();

  EXPECT_NEAR(CapturedSound::read(dir.filePath("heard.raw")).audibleSeconds(), 3.0, 0.4);
  EXPECT_EQ(tonesHeard(dir.filePath("heard.raw"), {440, 550, 660}),
            (std::vector<double>{440, 660}));
}
