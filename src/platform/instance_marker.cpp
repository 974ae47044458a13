#include "platform/instance_marker.h"

#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <unistd.h>

namespace {

const QByteArray kActivateMessage = "CORVELAPRO\n";
constexpr int kAnswerWaitMs = 1000;

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
  QObject::connect(server_.get(), &QLocalServer::newConnection, server_.get(),
                   [this, onActivateRequest] {
                     while (QLocalSocket* socket = server_->nextPendingConnection()) {
                       QObject::connect(socket, &QLocalSocket::disconnected, socket,
                                        &QObject::deleteLater);
                       QObject::connect(socket, &QLocalSocket::readyRead, socket,
                                        [socket, onActivateRequest] {
                                          if (socket->readAll().contains(kActivateMessage))
                                            onActivateRequest();
                                        });
                     }
                   });
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
