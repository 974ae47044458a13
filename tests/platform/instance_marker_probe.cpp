// A second process for the running-copy marker tests.
//   probe wake NAME   asks the copy holding NAME to come forward; exit 0 when it answered
//   probe hold NAME   holds NAME until killed
//   probe hand NAME FOLDER FILE...   hands the files to the copy holding NAME; exit 0 when it took
//   them
#include <QCoreApplication>
#include <cstdio>

#include "platform/instance_marker.h"

int main(int argc, char* argv[]) {
  QCoreApplication application(argc, argv);
  if (argc < 3) return 2;
  const QString mode = argv[1];
  LocalSocketInstanceMarker marker(argv[2]);
  if (mode == "hand" && argc > 4)
    return marker.handFilesToRunningCopy(argv[3], QCoreApplication::arguments().mid(4)) ? 0 : 4;
  if (mode == "wake") {
    if (!marker.exists() || !marker.runningCopyAnswers()) return 3;
    marker.askRunningCopyToActivate();
    return 0;
  }
  marker.claim([] {});
  std::puts("ready");
  std::fflush(stdout);
  return application.exec();
}
