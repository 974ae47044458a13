#include "fake_media_device.h"

#include <QCoreApplication>
#include <algorithm>
#include <utility>

#include "services/media_device/cd_audio_device.h"
#include "services/media_device/cd_drive.h"
#include "services/media_device/cd_drive_set.h"
#include "services/media_device/file_device.h"

// Time as the test moves it; players follow it.
class ManualClock {
 public:
  qint64 now() const { return now_; }
  void advance(qint64 milliseconds) {
    now_ += milliseconds;
    // A player may go away while its end is handled.
    const auto watching = watchers_;
    for (auto* watcher : watching)
      if (std::find(watchers_.begin(), watchers_.end(), watcher) != watchers_.end()) (*watcher)();
  }
  void watch(std::function<void()>* tick) { watchers_.push_back(tick); }
  void unwatch(std::function<void()>* tick) { std::erase(watchers_, tick); }

 private:
  qint64 now_ = 0;
  std::vector<std::function<void()>*> watchers_;
};

namespace {

// Where a play stands on the manual clock, in the player's own units.
class Playhead {
 public:
  Playhead(std::shared_ptr<ManualClock> clock, int unitsPerSecond, std::function<void()> ended)
      : clock_(std::move(clock)), unitsPerSecond_(unitsPerSecond), ended_(std::move(ended)) {
    tick_ = [this] {
      if (running_ && position() >= to_) {
        running_ = false;
        ended_();
      }
    };
    clock_->watch(&tick_);
  }
  ~Playhead() { clock_->unwatch(&tick_); }

  void start(qint64 from, qint64 to) {
    from_ = from;
    to_ = to;
    startedAt_ = clock_->now();
    running_ = true;
  }
  void pause() {
    from_ = position();
    running_ = false;
  }
  void resume() { start(from_, to_); }
  void stop() { pause(); }
  bool running() const { return running_ && position() < to_; }
  qint64 position() const {
    if (!running_) return from_;
    return std::min(to_, from_ + (clock_->now() - startedAt_) * unitsPerSecond_ / 1000);
  }

 private:
  std::shared_ptr<ManualClock> clock_;
  int unitsPerSecond_;
  std::function<void()> ended_;
  std::function<void()> tick_;
  qint64 from_ = 0;
  qint64 to_ = 0;
  qint64 startedAt_ = 0;
  bool running_ = false;
};

// Reads fail while the drive's disc is gone, as when it is taken out by hand.
class FakeCdPlayer : public CdPlayer {
 public:
  FakeCdPlayer(std::shared_ptr<ManualClock> clock, std::shared_ptr<FakeDriveState> state)
      : head_(clock, kFramesPerSecond, [this] { finished(true); }),
        clock_(std::move(clock)),
        state_(std::move(state)) {
    readCheck_ = [this] {
      if (!playing_ || !state_->disc.empty()) return;
      playing_ = false;
      head_.stop();
      finished(false);
    };
    clock_->watch(&readCheck_);
    sounding_ = [this] { return head_.running(); };
    state_->players.push_back(&sounding_);
  }
  ~FakeCdPlayer() override {
    std::erase(state_->players, &sounding_);
    clock_->unwatch(&readCheck_);
  }
  void start(int from, int to) override {
    head_.start(from, to);
    playing_ = true;
  }
  void pause() override {
    head_.pause();
    playing_ = false;
  }
  void resume() override {
    head_.resume();
    playing_ = true;
  }
  void stop() override { pause(); }
  int position() const override { return static_cast<int>(head_.position()); }

 private:
  Playhead head_;
  std::shared_ptr<ManualClock> clock_;
  std::shared_ptr<FakeDriveState> state_;
  std::function<void()> readCheck_;
  std::function<bool()> sounding_;
  bool playing_ = false;
};

class FakeMechanism : public CdMechanism {
 public:
  FakeMechanism(std::shared_ptr<FakeDriveState> state, std::shared_ptr<ManualClock> clock)
      : state_(std::move(state)), clock_(std::move(clock)) {}
  DiscToc readDisc() override {
    if (!state_->problem.isEmpty())
      throw MediaDeviceError(DeviceErrorCode::NoDisc, state_->problem);
    return state_->doorOpen ? DiscToc{} : state_->disc;
  }
  std::unique_ptr<CdPlayer> makePlayer() override {
    ++state_->playersMade;
    return std::make_unique<FakeCdPlayer>(clock_, state_);
  }
  // Its players read the drive's disc as it is now.
  bool playerFitsLastRead() const override { return true; }
  QString volumeLabel() override { return state_->disc.empty() ? QString() : state_->volumeLabel; }
  void openDoor() override { state_->doorOpen = true; }
  void closeDoor() override { state_->doorOpen = false; }
  void keepPlaying(int from, int to) override {
    state_->keptPlaying = FakeDriveState::Kept{from, to};
  }
  std::optional<KeptPlay> takeOver() override {
    const auto kept = std::exchange(state_->keptPlaying, std::nullopt);
    if (!kept) return std::nullopt;
    return KeptPlay{kept->from, kept->to};
  }

 private:
  std::shared_ptr<FakeDriveState> state_;
  std::shared_ptr<ManualClock> clock_;
};

class FakeFilePlayer : public FilePlayer {
 public:
  FakeFilePlayer(std::shared_ptr<ManualClock> clock,
                 std::shared_ptr<QMap<QString, FakeFileScript>> files,
                 std::shared_ptr<QString> openFile)
      : head_(std::move(clock), 1000, [this] { finished({}); }),
        files_(std::move(files)),
        openFile_(std::move(openFile)) {}
  void open(const QString& path) override {
    const auto script = files_->constFind(path);
    if (script == files_->constEnd())
      throw MediaDeviceError(DeviceErrorCode::CannotOpen,
                             "Cannot play \"" + path + "\": the file cannot be found.");
    if (!script->error.isEmpty())
      throw MediaDeviceError(DeviceErrorCode::CannotOpen, script->error);
    length_ = script->lengthMs;
    *openFile_ = path;
  }
  void close() override {
    length_ = 0;
    openFile_->clear();
  }
  qint64 length() const override { return length_; }
  void play(qint64 from, qint64 to) override { head_.start(from, to); }
  void pause() override { head_.pause(); }
  void resume() override { head_.resume(); }
  void stop() override { head_.stop(); }
  qint64 position() const override { return head_.position(); }
  void setDisplay(QWidget*) override {}
  void setDisplayRect(const QRect&) override {}

 private:
  Playhead head_;
  std::shared_ptr<QMap<QString, FakeFileScript>> files_;
  std::shared_ptr<QString> openFile_;
  qint64 length_ = 0;
};

}  // namespace

FakeMediaDeviceFactory::FakeMediaDeviceFactory(QStringList drives)
    : clock_(std::make_shared<ManualClock>()),
      files_(std::make_shared<QMap<QString, FakeFileScript>>()),
      openFile_(std::make_shared<QString>()) {
  for (const QString& name : drives) drives_[name] = std::make_shared<FakeDriveState>();
  driveSet_ =
      std::make_shared<CdDriveSet>(drives, [states = drives_, clock = clock_](const QString& name) {
        return std::make_unique<FakeMechanism>(states.value(name), clock);
      });
}

FakeMediaDeviceFactory::~FakeMediaDeviceFactory() = default;

DiscToc FakeMediaDeviceFactory::audioDisc(const std::vector<int>& trackSeconds) {
  DiscToc disc;
  int frame = 0;
  for (int seconds : trackSeconds) {
    disc.tracks.push_back({frame, true, {}});
    frame += seconds * kFramesPerSecond;
  }
  disc.leadout = frame;
  return disc;
}

std::shared_ptr<FakeDriveState> FakeMediaDeviceFactory::drive(const QString& name) const {
  return drives_.value(name);
}

void FakeMediaDeviceFactory::insertDisc(const QString& name, DiscToc disc, QString volumeLabel) {
  auto state = drive(name);
  state->disc = std::move(disc);
  state->volumeLabel = std::move(volumeLabel);
}

void FakeMediaDeviceFactory::addFile(const QString& path, qint64 lengthMs) {
  (*files_)[path] = {lengthMs, {}};
}

void FakeMediaDeviceFactory::addBrokenFile(const QString& path, QString error) {
  (*files_)[path] = {0, std::move(error)};
}

void FakeMediaDeviceFactory::advance(qint64 milliseconds) {
  clock_->advance(milliseconds);
  deliverEvents();
}

void FakeMediaDeviceFactory::deliverEvents() { QCoreApplication::sendPostedEvents(); }

std::unique_ptr<MediaDevice> FakeMediaDeviceFactory::create(DeviceType type) {
  if (type == DeviceType::AutoSelect)
    return std::make_unique<FileDevice>(
        std::make_unique<FakeFilePlayer>(clock_, files_, openFile_));
  return std::make_unique<CdAudioDevice>(
      [drives = driveSet_](const QString& device) { return drives->find(device); });
}

QStringList FakeMediaDeviceFactory::cdDriveList() { return driveSet_->entries(); }

QString FakeMediaDeviceFactory::volumeLabel(const QString& device) {
  return driveSet_->volumeLabel(device);
}

QString FakeMediaDeviceFactory::discProblem(const QString& device) {
  return driveSet_->discProblem(device);
}

DiscToc FakeMediaDeviceFactory::disc(const QString& device) { return driveSet_->disc(device); }
