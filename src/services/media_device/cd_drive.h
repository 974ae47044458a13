#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <optional>

#include "services/media_device/disc_toc.h"
#include "services/media_device/media_device.h"

class Notification;

// The sound of one drive: plays frames [from, to) of the disc it was made for.
// Its end is reported on the user-interface thread; a start replaces whatever
// played before, and nothing is reported for a replaced or stopped play.
class CdPlayer {
 public:
  virtual ~CdPlayer() = default;
  virtual void start(int from, int to) = 0;
  virtual void pause() = 0;
  virtual void resume() = 0;
  virtual void stop() = 0;
  virtual int position() const = 0;  // the frame sounding now

  // complete is false when the disc could not be read to the end.
  void onFinished(std::function<void(bool complete)> handler) { finished_ = std::move(handler); }

 protected:
  void finished(bool complete) {
    if (finished_) finished_(complete);
  }

 private:
  std::function<void(bool)> finished_;
};

// The hardware side of one drive: its door, its disc and its sound.
class CdMechanism {
 public:
  virtual ~CdMechanism() = default;
  // Empty when there is no disc; throws MediaDeviceError for a disc (an
  // image) that is there but broken, saying why.
  virtual DiscToc readDisc() = 0;
  // For the disc last read; null when it cannot be read.
  virtual std::unique_ptr<CdPlayer> makePlayer() = 0;
  // Whether the player made last still plays the disc last read: the disc
  // was not changed in between.
  virtual bool playerFitsLastRead() const = 0;
  virtual QString volumeLabel() = 0;
  virtual void openDoor() = 0;
  virtual void closeDoor() = 0;
  // The program ends while the drive plays: the sound goes on without it.
  virtual void keepPlaying(int from, int to) = 0;
  // A sound an ended run left playing on this drive falls silent; where it
  // stood on the disc last read, when it played that disc.
  struct KeptPlay {
    int from, to;
  };
  virtual std::optional<KeptPlay> takeOver() = 0;
};

// One drive as every handle on it sees it. It plays by itself: handles come
// and go, and the disc goes on playing until it reaches its end or a handle
// stops it. A handle that asked for a completion event hands its Notification
// over with the play, and is told how that play ended.
class CdDrive {
 public:
  explicit CdDrive(std::unique_ptr<CdMechanism> mechanism);
  ~CdDrive();
  CdDrive(const CdDrive&) = delete;
  CdDrive& operator=(const CdDrive&) = delete;

  // A handle opens the drive: the door closes and, unless a disc is playing
  // or paused, the disc is read again (it may have been changed) and a sound
  // left playing on it by an ended run is taken over: it plays on here. The
  // same disc keeps its player, so a stop and a play after the open sound
  // without a break.
  void load();
  void eject();
  // A handle goes away: its owed event ends as aborted; the disc plays on.
  void release(Notification* handle);

  const DiscToc& disc() const { return disc_; }
  bool hasDisc() const { return !disc_.empty(); }
  bool paused() const { return transport_ == Transport::Paused; }
  // Why the disc last read could not be played; empty when it could, or there is none.
  QString problem() const { return problem_; }
  QString volumeLabel();

  void play(int from, int to, Notification* notify);
  void stop();
  void pause();
  void resume();
  void seek(int frame);

  int position() const;
  DeviceMode mode() const;

 private:
  enum class Transport { Stopped, Playing, Paused };

  void finished(bool complete);
  bool keepsPlayerFor(const DiscToc& disc) const;
  bool sameDiscInside();
  void endPlay(NotifyResult result);

  std::unique_ptr<CdMechanism> mechanism_;
  std::unique_ptr<CdPlayer> player_;
  DiscToc disc_;
  QString problem_;
  bool doorOpen_ = false;
  Transport transport_ = Transport::Stopped;
  int position_ = 0;
  int end_ = 0;
  Notification* owner_ = nullptr;
};
