#include "services/media_device/disc_source_mechanism.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>

#include "platform/program_data.h"
#include "platform/settings_backend.h"
#include "services/media_device/cd_drive_set.h"
#include "services/media_device/cdio_disc.h"
#include "services/media_device/gst_cd_player.h"
#include "services/media_device/left_playing.h"

namespace {

QString programDirectory(const QString& given) {
  return given.isEmpty() ? QCoreApplication::applicationDirPath() : given;
}

QString settingsFileOf(const SystemDeviceOptions& options) {
  return options.settingsFile.isEmpty() ? IniSettingsBackend::defaultPath() : options.settingsFile;
}

QString virtualDriveImage(const SystemDeviceOptions& options) {
  const QString named = QSettings(settingsFileOf(options), QSettings::IniFormat)
                            .value("VirtualDrive/Image")
                            .toString();
  if (!named.isEmpty()) return named;
  if (!options.demoDisc.isEmpty()) return options.demoDisc;
  return programDataDirectory() + "/demo-disc.cue";
}

}  // namespace

std::unique_ptr<DiscSourceMechanism> DiscSourceMechanism::physical(
    const QString& device, const SystemDeviceOptions& options) {
  return std::make_unique<DiscSourceMechanism>(
      device, [device] { return device; }, device, options);
}

std::unique_ptr<DiscSourceMechanism> DiscSourceMechanism::virtualDrive(
    const SystemDeviceOptions& options) {
  return std::make_unique<DiscSourceMechanism>(
      kVirtualDriveName, [options] { return virtualDriveImage(options); }, QString(), options);
}

DiscSourceMechanism::DiscSourceMechanism(QString drive, std::function<QString()> source,
                                         QString doorDevice, SystemDeviceOptions options)
    : socketName_(leftPlayingSocketName(drive, settingsFileOf(options))),
      source_(std::move(source)),
      doorDevice_(std::move(doorDevice)),
      options_(std::move(options)) {}

DiscToc DiscSourceMechanism::readDisc() {
  const QString source = source_();
  // The drive is read at every open; an image's sound files are decoded only once.
  const QDateTime changed = QFileInfo(source).lastModified();
  const bool sameImage =
      isDiscImage(source) && source == lastSource_ && changed == imageChanged_ && disc_;
  lastSource_ = source;
  imageChanged_ = changed;
  if (!sameImage) {
    disc_.reset();
    disc_ = openDiscSource(source);
  }
  return disc_ ? disc_->toc() : DiscToc{};
}

std::unique_ptr<CdPlayer> DiscSourceMechanism::makePlayer() {
  if (!disc_) return nullptr;
  played_ = disc_;
  return std::make_unique<GstCdPlayer>(disc_, options_.output);
}

// An image is decoded again only once changed; a drive's disc is read afresh
// at every open, and is the same disc while its table of contents is.
bool DiscSourceMechanism::playerFitsLastRead() const {
  const auto played = played_.lock();
  if (!played || !disc_) return false;
  return played == disc_ || (!isDiscImage(lastSource_) && played->toc() == disc_->toc());
}

QString DiscSourceMechanism::volumeLabel() {
  try {
    readDisc();
  } catch (const MediaDeviceError&) {
    return {};
  }
  return disc_ ? disc_->volumeLabel() : QString();
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
  QStringList arguments{socketName_, lastSource_, QString::number(from), QString::number(to)};
  if (!options_.output.captureFile.isEmpty()) arguments << options_.output.captureFile;
  player.setArguments(arguments);
  // It outlives us: it must not hold on to our standard channels.
  player.setStandardInputFile(QProcess::nullDevice());
  player.setStandardOutputFile(QProcess::nullDevice());
  player.setStandardErrorFile(QProcess::nullDevice());
  markPlayerStarting(socketName_);
  if (player.startDetached())
    waitUntilPlayerListens(socketName_);
  else
    unmarkPlayerStarting(socketName_);
}

std::optional<CdMechanism::KeptPlay> DiscSourceMechanism::takeOver() {
  const auto left = takeOverLeftPlay(socketName_);
  // A sound of another disc is only silenced: this drive now holds a new one.
  if (!left || left->source != lastSource_) return std::nullopt;
  return KeptPlay{left->from, left->to};
}
