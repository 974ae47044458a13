#include "platform/instance_marker.h"

#include <unistd.h>
#include <QDataStream>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>

#include <memory>
#include <optional>

namespace {

const QByteArray kActivateMessage = "CORVELAPRO\n";
constexpr int kAnswerWaitMs = 1000;

// Files: this header, the length of what follows (4 bytes), then the working
// folder and the names, as a data stream. The running copy answers once it has them.
const QByteArray kFilesMessage = "CORVELAPRO-FILES\n";
const QByteArray kFilesTaken = "TAKEN\n";
constexpr qsizetype kLengthBytes = 4;
constexpr quint32 kLargestFilesMessage = 16 * 1024 * 1024;
// The running copy may be busy for a moment (loading a disc) before it reads.
constexpr int kFilesTakenWaitMs = 5000;

struct HandedOver {
  QString workingDirectory;
  QStringList files;
};

QByteArray filesMessage(const HandedOver& handed) {
  QByteArray payload;
  QDataStream names(&payload, QIODevice::WriteOnly);
  names << handed.workingDirectory << handed.files;
  QByteArray length;
  QDataStream size(&length, QIODevice::WriteOnly);
  size << quint32(payload.size());
  return kFilesMessage + length + payload;
}

// The files once the whole message is in; nullopt while it is still coming.
// A message too large to be ours ends the connection.
std::optional<HandedOver> readFilesMessage(const QByteArray& received, QLocalSocket& socket) {
  const qsizetype start = kFilesMessage.size() + kLengthBytes;
  if (received.size() < start) return std::nullopt;
  quint32 length = 0;
  QDataStream size(received.sliced(kFilesMessage.size(), kLengthBytes));
  size >> length;
  if (length > kLargestFilesMessage) {
    socket.abort();
    return std::nullopt;
  }
  if (received.size() < start + qsizetype(length)) return std::nullopt;
  HandedOver handed;
  QDataStream names(received.sliced(start, length));
  names >> handed.workingDirectory >> handed.files;
  return handed;
}

}  // namespace

LocalSocketInstanceMarker::LocalSocketInstanceMarker(QString name) : path_(std::move(name)) {}

LocalSocketInstanceMarker::~LocalSocketInstanceMarker() { release(); }

QString LocalSocketInstanceMarker::defaultName() {
  QString folder = qEnvironmentVariable("XDG_RUNTIME_DIR");
  if (folder.isEmpty() || !QFileInfo(folder).isDir())
    return QDir::tempPath() + QString("/CORVELAPRO_IS_RUNNING-%1").arg(getuid());
  return folder + "/CORVELAPRO_IS_RUNNING";
}

bool LocalSocketInstanceMarker::exists() const { return QFileInfo::exists(path_); }

bool LocalSocketInstanceMarker::runningCopyAnswers() const {
  QLocalSocket socket;
  socket.connectToServer(path_);
  return socket.waitForConnected(kAnswerWaitMs);
}

void LocalSocketInstanceMarker::claim(std::function<void()> onActivateRequest) {
  // A marker left by a copy that died is taken over, so later copies still
  // find this one.
  QLocalServer::removeServer(path_);
  server_ = std::make_unique<QLocalServer>();
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  if (!server_->listen(path_)) return;
  QObject::connect(
      server_.get(), &QLocalServer::newConnection, server_.get(), [this, onActivateRequest] {
        while (QLocalSocket* socket = server_->nextPendingConnection()) {
          QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
          auto received = std::make_shared<QByteArray>();
          QObject::connect(socket, &QLocalSocket::readyRead, socket,
                           [this, socket, received, onActivateRequest] {
                             *received += socket->readAll();
                             if (received->startsWith(kFilesMessage))
                               takeFiles(*socket, *received);
                             else if (received->contains(kActivateMessage)) {
                               received->clear();
                               later(onActivateRequest);
                             }
                           });
        }
      });
}

void LocalSocketInstanceMarker::takeFiles(QLocalSocket& socket, QByteArray& received) {
  const std::optional<HandedOver> handed = readFilesMessage(received, socket);
  if (!handed) return;
  received.clear();
  socket.write(kFilesTaken);
  socket.flush();
  later([this, files = *handed] {
    if (receiveFiles_)
      receiveFiles_(files.workingDirectory, files.files);
    else
      waitingFiles_.emplace_back(files.workingDirectory, files.files);
  });
}

// Acting on a request may open a box, whose loop lets the later copy hang up
// and its socket be deleted: so the request is acted on from the event loop,
// once the socket's own signal is over. Requests still queued when the marker
// is released are dropped with the server.
void LocalSocketInstanceMarker::later(std::function<void()> act) {
  QMetaObject::invokeMethod(server_.get(), std::move(act), Qt::QueuedConnection);
}

void LocalSocketInstanceMarker::onFilesHandedOver(FilesReceiver receive) {
  receiveFiles_ = std::move(receive);
  for (const auto& [workingDirectory, files] : std::exchange(waitingFiles_, {}))
    receiveFiles_(workingDirectory, files);
}

bool LocalSocketInstanceMarker::handFilesToRunningCopy(const QString& workingDirectory,
                                                       const QStringList& files) {
  QLocalSocket socket;
  socket.connectToServer(path_);
  if (!socket.waitForConnected(kAnswerWaitMs)) return false;
  socket.write(filesMessage({workingDirectory, files}));
  if (!socket.waitForBytesWritten(kFilesTakenWaitMs)) return false;
  QByteArray answer;
  while (answer.size() < kFilesTaken.size() && socket.waitForReadyRead(kFilesTakenWaitMs))
    answer += socket.readAll();
  return answer.startsWith(kFilesTaken);
}

void LocalSocketInstanceMarker::askRunningCopyToActivate() {
  QLocalSocket socket;
  socket.connectToServer(path_);
  if (!socket.waitForConnected(kAnswerWaitMs)) return;
  socket.write(kActivateMessage);
  socket.waitForBytesWritten(kAnswerWaitMs);
  socket.disconnectFromServer();
}

void LocalSocketInstanceMarker::release() {
  if (!server_) return;
  server_->close();
  server_.reset();
}
