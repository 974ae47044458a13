// How cheap the devices are to ask and to play through:
//  - position and mode queries a second (target: a position query under 0.2 ms);
//  - processor time while a CD track and a WAV file play, as a share of the
//    audio's real time (target: under 5 % of one core).
// Sound goes to a capture file, so the figures do not depend on a sound card.
#include <sys/resource.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QThread>
#include <cstdio>

#include "disc_image_writer.h"
#include "services/media_device/disc_toc.h"
#include "services/media_device/media_device_factory.h"

namespace {

double processorSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

void queryRate(const char* what, MediaDevice& device) {
  constexpr int kQueries = 20000;
  QElapsedTimer timer;
  timer.start();
  std::uint64_t sum = 0;
  for (int n = 0; n < kQueries; ++n)
    sum += device.position() + static_cast<std::uint32_t>(device.mode());
  const double seconds = static_cast<double>(timer.nsecsElapsed()) / 1e9;
  std::printf("%-28s %10.0f position+mode queries/s, %.4f ms each (checksum %llu)\n", what,
              kQueries / seconds, seconds * 1000 / kQueries,
              static_cast<unsigned long long>(sum % 10));
}

void playLoad(const char* what, MediaDevice& device, double seconds) {
  const double before = processorSeconds();
  QElapsedTimer timer;
  timer.start();
  device.play();
  while (device.mode() == DeviceMode::Playing) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    QThread::msleep(20);
  }
  const double wall = static_cast<double>(timer.elapsed()) / 1000;
  const double used = processorSeconds() - before;
  std::printf("%-28s %.2f s of audio in %.2f s, processor %.3f s = %.2f %% of one core\n", what,
              seconds, wall, used, 100 * used / seconds);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QTemporaryDir dir;
  constexpr double kSeconds = 10;
  writeDiscImage(dir.filePath("bench.cue").toStdString(),
                 {{tone(440, kSeconds), {}}, {tone(660, 2), {}}});
  writeWavFile(dir.filePath("bench.wav").toStdString(), tone(550, kSeconds));
  QSettings(dir.filePath("Corvela.conf"), QSettings::IniFormat)
      .setValue("VirtualDrive/Image", dir.filePath("bench.cue"));

  SystemDeviceOptions options;
  options.output.captureFile = dir.filePath("capture.raw");
  options.settingsFile = dir.filePath("Corvela.conf");
  options.physicalDrives = false;
  auto devices = makeSystemMediaDeviceFactory(options);

  auto cd = devices->create(DeviceType::CdAudio);
  cd->open("virtual");
  queryRate("CD, stopped:", *cd);
  cd->setStart(1);
  cd->setEnd(2);
  cd->play();
  queryRate("CD, playing:", *cd);
  cd->stop();
  cd->setStart(1);
  cd->setEnd(2);
  playLoad("CD track:", *cd, kSeconds);

  auto file = devices->create(DeviceType::AutoSelect);
  file->open(dir.filePath("bench.wav"));
  file->play();
  queryRate("WAV file, playing:", *file);
  file->stop();
  file->setStart(0);
  playLoad("WAV file:", *file, kSeconds);
  return 0;
}
