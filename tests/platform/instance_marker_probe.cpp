// A second process for the running-copy marker tests.
//   probe wake NAME   asks the copy holding NAME to come forward; exit 0 when it answered
//   probe hold NAME   holds NAME until killed
#include <QCoreApplication>
#include <cstdio>

#include "platform/instance_marker.h"

int main(int argc, char* argv[]) {
  QCoreApplication application(argc, argv);
  if (argc != 3) return 2;
  const QString mode = argv[1];
  LocalSocketInstanceMarker marker(argv[2]);
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
