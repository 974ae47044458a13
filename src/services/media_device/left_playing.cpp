#include "services/media_device/left_playing.h"

#include <unistd.h>

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLocalSocket>
#include <QThread>

namespace {
constexpr int kAnswerWaitMs = 2000;
constexpr int kListenWaitMs = 3000;

QString startingMarker(const QString& socketName) { return socketName + ".starting"; }
}  // namespace

QString leftPlayingSocketName(const QString& drive, const QString& settingsFile) {
  const QByteArray key =
      QCryptographicHash::hash((drive + '\n' + settingsFile).toUtf8(), QCryptographicHash::Sha1);
  return QDir::tempPath() +
         QString("/corvela-cd-%1-%2").arg(getuid()).arg(QString::fromLatin1(key.toHex().left(16)));
}

QByteArray describeLeftPlay(const LeftPlay& play) {
  return play.source.toUtf8() + '\n' + QByteArray::number(play.from) + '\n' +
         QByteArray::number(play.to) + '\n';
}

std::optional<LeftPlay> takeOverLeftPlay(const QString& socketName) {
  QLocalSocket socket;
  socket.connectToServer(socketName);
  if (!socket.waitForConnected(kAnswerWaitMs)) return std::nullopt;
  QByteArray answer;
  while (answer.count('\n') < 3 && socket.waitForReadyRead(kAnswerWaitMs))
    answer += socket.readAll();
  answer += socket.readAll();
  const QList<QByteArray> lines = answer.split('\n');
  if (lines.size() < 3) return std::nullopt;
  bool fromRead = false, toRead = false;
  LeftPlay play{QString::fromUtf8(lines[0]), lines[1].toInt(&fromRead), lines[2].toInt(&toRead)};
  if (!fromRead || !toRead || play.from >= play.to) return std::nullopt;
  return play;
}

void markPlayerStarting(const QString& socketName) {
  // Without a marker the run does not wait: no worse than before.
  QFile(startingMarker(socketName)).open(QIODevice::WriteOnly | QIODevice::Truncate);
}

void unmarkPlayerStarting(const QString& socketName) { QFile::remove(startingMarker(socketName)); }

bool waitUntilPlayerListens(const QString& socketName) {
  const QString marker = startingMarker(socketName);
  const QDeadlineTimer deadline(kListenWaitMs);
  while (QFile::exists(marker)) {
    if (deadline.hasExpired()) {
      QFile::remove(marker);
      return false;
    }
    QThread::msleep(10);
  }
  return true;
}
