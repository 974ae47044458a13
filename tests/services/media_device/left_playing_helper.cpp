// A stand-in for the program leaving the demo disc playing as it ends: plays
// the last seconds (two unless given) before the last track, with the end set
// to the start of the last track, and exits while the disc plays.
//   left_playing_helper <settings file> <capture file> [<seconds>]
#include <QCoreApplication>
#include <QThread>

#include "services/media_device/disc_toc.h"
#include "services/media_device/media_device_factory.h"

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  SystemDeviceOptions options;
  options.settingsFile = application.arguments().at(1);
  options.output.captureFile = application.arguments().at(2);
  options.physicalDrives = false;
  auto devices = makeSystemMediaDeviceFactory(options);
  auto cd = devices->create(DeviceType::CdAudio);
  cd->open("virtual");
  const int last = cd->trackCount();
  // Lengths are packed minutes, seconds, frames from the low byte.
  const std::uint32_t length = cd->trackLength(last - 1);
  const int before = application.arguments().size() > 3 ? application.arguments().at(3).toInt() : 2;
  const int seconds = static_cast<int>((length & 0xff) * 60 + (length >> 8 & 0xff)) - before;
  cd->setStart(
      packTmsf({last - 1, seconds / 60, seconds % 60, static_cast<int>(length >> 16 & 0xff)}));
  cd->setEnd(static_cast<std::uint32_t>(last));
  cd->play();
  QThread::msleep(300);
  return cd->mode() == DeviceMode::Playing ? 0 : 1;
}
