#include "platform/termination_signals.h"

#include <sys/socket.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QSocketNotifier>
#include <csignal>

namespace {

// Written from the signal handler, read in the event loop: the only safe way
// for a handler to reach the loop.
int wakeUp[2] = {-1, -1};

void onSignal(int) {
  const char byte = 1;
  [[maybe_unused]] const ssize_t written = ::write(wakeUp[0], &byte, 1);
}

}  // namespace

void QuitOnTerminationSignals() {
  if (wakeUp[0] >= 0 || ::socketpair(AF_UNIX, SOCK_STREAM, 0, wakeUp) != 0) return;
  auto* notifier = new QSocketNotifier(wakeUp[1], QSocketNotifier::Read, qApp);
  QObject::connect(notifier, &QSocketNotifier::activated, qApp, [] {
    char byte = 0;
    [[maybe_unused]] const ssize_t read = ::read(wakeUp[1], &byte, 1);
    QCoreApplication::quit();
  });
  struct sigaction action = {};
  action.sa_handler = onSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int signal : {SIGTERM, SIGHUP, SIGINT}) sigaction(signal, &action, nullptr);
}
