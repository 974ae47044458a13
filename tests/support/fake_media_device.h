#pragma once

#include <QMap>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "services/media_device/disc_toc.h"
#include "services/media_device/media_device_factory.h"

class CdDriveSet;
class ManualClock;

// One fake drive as a test sets it up and looks at it; it outlives the
// factory so that what happened at the program's end can be checked.
struct FakeDriveState {
  DiscToc disc;
  QString volumeLabel = QStringLiteral("Audio CD");
  bool doorOpen = false;
  struct Kept {
    int from, to;
  };
  std::optional<Kept> keptPlaying;  // set when the drive was left playing
  QString problem;  // reading the disc fails with this text when not empty
  // The drive's players, each telling whether it sounds now.
  std::vector<std::function<bool()>*> players;
  int playersMade = 0;
  // The sounds the drive makes now: its players', and one left playing at an end.
  int sounds() const {
    int count = keptPlaying ? 1 : 0;
    for (const auto* sounding : players) count += (*sounding)() ? 1 : 0;
    return count;
  }
};

struct FakeFileScript {
  qint64 lengthMs = 0;
  QString error;  // opening fails with this text when not empty
};

// Devices for window tests: the real device semantics over fake drives and
// fake files, driven by a clock the test moves by hand. Completion events are
// delivered by advance() and deliverEvents(), never in the middle of a command.
class FakeMediaDeviceFactory : public MediaDeviceFactory {
 public:
  explicit FakeMediaDeviceFactory(QStringList drives = {QStringLiteral("virtual")});
  ~FakeMediaDeviceFactory() override;

  // An audio disc whose tracks last the seconds given, back to back.
  static DiscToc audioDisc(const std::vector<int>& trackSeconds);
  std::shared_ptr<FakeDriveState> drive(const QString& name) const;
  void insertDisc(const QString& name, DiscToc disc,
                  QString volumeLabel = QStringLiteral("Audio CD"));

  // Files the media player may open; any other path fails to open.
  void addFile(const QString& path, qint64 lengthMs);
  void addBrokenFile(const QString& path, QString error);

  // The file a media player's device has open; empty when none.
  QString openFile() const { return *openFile_; }

  // Moves the clock on, ends plays that reach their end and delivers the events.
  void advance(qint64 milliseconds);
  void deliverEvents();

  std::unique_ptr<MediaDevice> create(DeviceType type) override;
  QStringList cdDriveList() override;
  QString volumeLabel(const QString& device) override;
  QString discProblem(const QString& device) override;
  DiscToc disc(const QString& device) override;

 private:
  std::shared_ptr<ManualClock> clock_;
  QMap<QString, std::shared_ptr<FakeDriveState>> drives_;
  std::shared_ptr<QMap<QString, FakeFileScript>> files_;
  std::shared_ptr<QString> openFile_;
  std::shared_ptr<CdDriveSet> driveSet_;
};
