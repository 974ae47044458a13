#include "app/media_device/disc_source_mechanism.h"

#include <QCoreApplication>
#include <QProcess>
#include <QSettings>

#include "app/media_device/cdio_disc.h"
#include "app/media_device/gst_cd_player.h"
#include "platform/settings_backend.h"

namespace {

QString programDirectory(const QString& given) {
  return given.isEmpty() ? QCoreApplication::applicationDirPath() : given;
}

QString virtualDriveImage(const SystemDeviceOptions& options) {
  const QString settingsFile = options.settingsFile.isEmpty() ? IniSettingsBackend::defaultPath() : options.settingsFile;
  const QString named = QSettings(settingsFile, QSettings::IniFormat).value("VirtualDrive/Image").toString();
  if (!named.isEmpty()) return named;
  if (!options.demoDisc.isEmpty()) return options.demoDisc;
  return programDirectory(options.helperDirectory) + "/demo-disc.cue";
}

}  // namespace

std::unique_ptr<DiscSourceMechanism> DiscSourceMechanism::physical(const QString& device,
                                                                   const SystemDeviceOptions& options) {
  return std::make_unique<DiscSourceMechanism>([device] { return device; }, device, options);
}

std::unique_ptr<DiscSourceMechanism> DiscSourceMechanism::virtualDrive(const SystemDeviceOptions& options) {
  return std::make_unique<DiscSourceMechanism>([options] { return virtualDriveImage(options); }, QString(), options);
}

DiscSourceMechanism::DiscSourceMechanism(std::function<QString()> source, QString doorDevice,
                                         SystemDeviceOptions options)
    : source_(std::move(source)), doorDevice_(std::move(doorDevice)), options_(std::move(options)) {}

DiscToc DiscSourceMechanism::readDisc() {
  lastSource_ = source_();
  CdioHandle disc = openDiscSource(lastSource_);
  return disc ? readToc(disc.get()) : DiscToc{};
}

std::unique_ptr<CdPlayer> DiscSourceMechanism::makePlayer() { return GstCdPlayer::make(lastSource_, options_.output); }

QString DiscSourceMechanism::volumeLabel() {
  CdioHandle disc = openDiscSource(source_());
  if (!disc) return {};
  const DiscToc toc = readToc(disc.get());
  return toc.empty() ? QString() : readVolumeLabel(disc.get(), toc);
}

void DiscSourceMechanism::openDoor() {
  if (!doorDevice_.isEmpty()) openDriveDoor(doorDevice_);
}

void DiscSourceMechanism::closeDoor() {
  if (!doorDevice_.isEmpty()) closeDriveDoor(doorDevice_);
}

void DiscSourceMechanism::keepPlaying(int from, int to) {
  QProcess player;
  player.setProgram(programDirectory(options_.helperDirectory) + "/" + kDetachedPlayerName);
  QStringList arguments{lastSource_, QString::number(from), QString::number(to)};
  if (!options_.output.captureFile.isEmpty()) arguments << options_.output.captureFile;
  player.setArguments(arguments);
  // It outlives us: it must not hold on to our standard channels.
  player.setStandardInputFile(QProcess::nullDevice());
  player.setStandardOutputFile(QProcess::nullDevice());
  player.setStandardErrorFile(QProcess::nullDevice());
  player.startDetached();
}
