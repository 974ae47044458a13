// Keeps a CD drive playing after the program has ended: plays frames
// [from, to) of a disc source to the system's output (or a capture file) and
// exits at the end, or as soon as the next run takes the drive over.
//   corvela-cd-player <socket> <source> <from> <to> [<capture file>]
#include <QCoreApplication>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>
#include <cstdio>

#include "services/media_device/gst_cd_player.h"
#include "services/media_device/left_playing.h"
#include "services/media_device/media_device.h"

namespace {

struct LeftDrive {
  QString socketName;
  LeftPlay play;
  AudioOutput output;
};

// Listens before it reads the disc: an image's sound files may take a while
// to decode, and a run that takes the drive over meanwhile must find us, or
// the disc would sound twice.
class DetachedPlayer {
 public:
  explicit DetachedPlayer(LeftDrive drive) : drive_(std::move(drive)) {
    QLocalServer::removeServer(drive_.socketName);
    server_.listen(drive_.socketName);
    unmarkPlayerStarting(drive_.socketName);
    QObject::connect(&server_, &QLocalServer::newConnection, [this] { handOver(); });
  }
  ~DetachedPlayer() {
    if (reader_) reader_->wait();
  }

  void readDiscThenPlay() {
    reader_.reset(QThread::create([this] {
      try {
        disc_ = openDiscSource(drive_.play.source);
      } catch (const MediaDeviceError&) {
        // The image was read a moment ago by the program; it has gone since.
      }
    }));
    QObject::connect(reader_.get(), &QThread::finished, &server_, [this] { play(); });
    reader_->start();
  }

 private:
  void play() {
    if (!disc_) {
      QCoreApplication::exit(1);
      return;
    }
    // Called from the event loop, which no error may reach: a sound output
    // that cannot start ends this player, as a disc gone since does.
    try {
      player_ = std::make_unique<GstCdPlayer>(disc_, drive_.output);
      player_->onFinished([](bool complete) { QCoreApplication::exit(complete ? 0 : 1); });
      player_->start(drive_.play.from, drive_.play.to);
    } catch (const MediaDeviceError& error) {
      std::fprintf(stderr, "corvela-cd-player: %s\n", error.what());
      player_.reset();
      QCoreApplication::exit(1);
    }
  }

  // Silent before the answer, so the two sounds never overlap. Taken over
  // before it sounded, the disc is still where the ended run left it.
  void handOver() {
    QLocalSocket* taker = server_.nextPendingConnection();
    LeftPlay where = drive_.play;
    if (player_) {
      where.from = player_->position();
      player_->stop();
    }
    taker->write(describeLeftPlay(where));
    taker->waitForBytesWritten(2000);
    taker->disconnectFromServer();
    QCoreApplication::exit(0);
  }

  LeftDrive drive_;
  QLocalServer server_;
  std::unique_ptr<QThread> reader_;
  std::shared_ptr<const DiscSource> disc_;
  std::unique_ptr<GstCdPlayer> player_;
};

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  const QStringList arguments = application.arguments();
  if (arguments.size() < 5) {
    std::fprintf(stderr,
                 "usage: corvela-cd-player <socket> <source> <from> <to> [<capture file>]\n");
    return 2;
  }
  LeftDrive drive{
      arguments.at(1), {arguments.at(2), arguments.at(3).toInt(), arguments.at(4).toInt()}, {}};
  if (arguments.size() > 5) drive.output.captureFile = arguments.at(5);

  // A player still left from an earlier run falls silent first.
  takeOverLeftPlay(drive.socketName);
  DetachedPlayer player(std::move(drive));
  player.readDiscThenPlay();
  return application.exec();
}
