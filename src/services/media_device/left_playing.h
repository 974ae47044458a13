#pragma once

#include <QString>
#include <optional>

// A drive left playing by a run that has ended is sounded by the detached
// player, which answers on a local socket named after the drive. Whoever opens
// the drive next takes the sound over, so one drive never sounds twice.
struct LeftPlay {
  QString source;  // the disc it plays: a device or an image
  int from = 0;  // the frame it had reached
  int to = 0;  // where it was to stop
};

// One name per user, drive and settings file (each test run has its own).
QString leftPlayingSocketName(const QString& drive, const QString& settingsFile);

// Asks the player left on that socket to fall silent and say where it stood.
// Empty when nothing plays on.
std::optional<LeftPlay> takeOverLeftPlay(const QString& socketName);

// The detached player's side: the reply it sends as it falls silent.
QByteArray describeLeftPlay(const LeftPlay& play);

// The run that ends waits until the player it starts listens, so the next
// run finds it however soon it opens the drive. The player says so by
// removing the marker the run made before starting it.
void markPlayerStarting(const QString& socketName);
void unmarkPlayerStarting(const QString& socketName);
// False when the player did not say so in time.
bool waitUntilPlayerListens(const QString& socketName);
