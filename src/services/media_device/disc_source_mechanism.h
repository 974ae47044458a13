#pragma once

#include <QDateTime>
#include <functional>

#include "services/media_device/cd_drive.h"
#include "services/media_device/disc_source.h"
#include "services/media_device/media_device_factory.h"

// A drive whose disc is read through libcdio (an optical drive) or libcue
// (the virtual drive, whose "disc" is the image named when it is read).
class DiscSourceMechanism : public CdMechanism {
 public:
  // An optical drive, with a door of its own.
  static std::unique_ptr<DiscSourceMechanism> physical(const QString& device,
                                                       const SystemDeviceOptions& options);
  // The image named in the settings file, else the demo disc.
  static std::unique_ptr<DiscSourceMechanism> virtualDrive(const SystemDeviceOptions& options);

  // drive names the drive across processes; doorDevice is empty for a drive without a door.
  DiscSourceMechanism(QString drive, std::function<QString()> source, QString doorDevice,
                      SystemDeviceOptions options);

  DiscToc readDisc() override;
  std::unique_ptr<CdPlayer> makePlayer() override;
  bool playerFitsLastRead() const override;
  QString volumeLabel() override;
  void openDoor() override;
  void closeDoor() override;
  void keepPlaying(int from, int to) override;
  std::optional<KeptPlay> takeOver() override;

 private:
  QString socketName_;
  std::function<QString()> source_;
  QString doorDevice_;  // empty: no door to move
  SystemDeviceOptions options_;
  QString lastSource_;
  std::shared_ptr<const DiscSource> disc_;
  std::weak_ptr<const DiscSource> played_;  // what the player made last reads
  QDateTime imageChanged_;  // an image is read again only once changed
};

// The program that keeps a drive playing once the program has ended.
inline const QString kDetachedPlayerName = QStringLiteral("corvela-cd-player");
