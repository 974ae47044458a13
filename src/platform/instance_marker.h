#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

class QLocalServer;
class QLocalSocket;

// The marker of a running copy: a per-user local socket. The copy that holds it
// listens on it; a later copy that reaches it asks it to restore and raise
// itself. A socket that exists but does not answer was left by a copy that died.
class InstanceMarker {
 public:
  virtual ~InstanceMarker() = default;
  virtual bool exists() const = 0;
  // Whether a running copy answers on the marker.
  virtual bool runningCopyAnswers() const = 0;
  // Holds the marker; onActivateRequest runs when a later copy asks.
  virtual void claim(std::function<void()> onActivateRequest) = 0;
  virtual void askRunningCopyToActivate() = 0;
  virtual void release() = 0;

  // Files named on a later copy's command line, with the folder they are
  // relative to: handed to the running copy, true once it has taken them.
  virtual bool handFilesToRunningCopy(const QString& workingDirectory,
                                      const QStringList& files) = 0;
  // What the holder of the marker does with files a later copy hands over.
  using FilesReceiver =
      std::function<void(const QString& workingDirectory, const QStringList& files)>;
  virtual void onFilesHandedOver(FilesReceiver receive) = 0;
};

class LocalSocketInstanceMarker : public InstanceMarker {
 public:
  explicit LocalSocketInstanceMarker(QString name = defaultName());
  ~LocalSocketInstanceMarker() override;

  // "CORVELAPRO_IS_RUNNING" in the user's runtime folder.
  static QString defaultName();

  bool exists() const override;
  bool runningCopyAnswers() const override;
  void claim(std::function<void()> onActivateRequest) override;
  void askRunningCopyToActivate() override;
  void release() override;
  bool handFilesToRunningCopy(const QString& workingDirectory, const QStringList& files) override;
  void onFilesHandedOver(FilesReceiver receive) override;

 private:
  void takeFiles(QLocalSocket& socket, QByteArray& received);
  void later(std::function<void()> act);

  QString path_;
  std::unique_ptr<QLocalServer> server_;
  FilesReceiver receiveFiles_;
  // Files that came while the program was still starting, before it could take them.
  std::vector<std::pair<QString, QStringList>> waitingFiles_;
};
