// Keeps a CD drive playing after the program has ended: plays frames
// [from, to) of a disc source to the system's output (or a capture file)
// and exits at the end.
//   corvela-cd-player <source> <from> <to> [<capture file>]
#include <QCoreApplication>
#include <cstdio>

#include "app/media_device/gst_cd_player.h"

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  const QStringList arguments = application.arguments();
  if (arguments.size() < 4) {
    std::fprintf(stderr, "usage: corvela-cd-player <source> <from> <to> [<capture file>]\n");
    return 2;
  }
  AudioOutput output;
  if (arguments.size() > 4) output.captureFile = arguments.at(4);
  auto player = GstCdPlayer::make(arguments.at(1), output);
  if (!player) return 1;
  player->onFinished([](bool complete) { QCoreApplication::exit(complete ? 0 : 1); });
  player->start(arguments.at(2).toInt(), arguments.at(3).toInt());
  return application.exec();
}
