// Keeps a CD drive playing after the program has ended: plays frames
// [from, to) of a disc source to the system's output (or a capture file) and
// exits at the end, or as soon as the next run takes the drive over.
//   corvela-cd-player <socket> <source> <from> <to> [<capture file>]
#include <QCoreApplication>
#include <QLocalServer>
#include <QLocalSocket>
#include <cstdio>

#include "services/media_device/gst_cd_player.h"
#include "services/media_device/left_playing.h"
#include "services/media_device/media_device.h"

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  const QStringList arguments = application.arguments();
  if (arguments.size() < 5) {
    std::fprintf(stderr,
                 "usage: corvela-cd-player <socket> <source> <from> <to> [<capture file>]\n");
    return 2;
  }
  const QString socketName = arguments.at(1);
  const QString source = arguments.at(2);
  const int to = arguments.at(4).toInt();
  AudioOutput output;
  if (arguments.size() > 5) output.captureFile = arguments.at(5);

  // A player still left from an earlier run falls silent first.
  takeOverLeftPlay(socketName);
  std::shared_ptr<const DiscSource> disc;
  try {
    disc = openDiscSource(source);
  } catch (const MediaDeviceError&) {
    // The image was read a moment ago by the program; it has gone since.
  }
  if (!disc) return 1;
  auto player = std::make_unique<GstCdPlayer>(disc, output);

  QLocalServer server;
  QLocalServer::removeServer(socketName);
  server.listen(socketName);
  QObject::connect(&server, &QLocalServer::newConnection, [&] {
    QLocalSocket* taker = server.nextPendingConnection();
    // Silent before the answer, so the two sounds never overlap.
    const int at = player->position();
    player->stop();
    taker->write(describeLeftPlay({source, at, to}));
    taker->waitForBytesWritten(2000);
    taker->disconnectFromServer();
    QCoreApplication::exit(0);
  });
  player->onFinished([](bool complete) { QCoreApplication::exit(complete ? 0 : 1); });
  player->start(arguments.at(3).toInt(), to);
  return application.exec();
}
