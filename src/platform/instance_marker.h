#pragma once

#include <QString>
#include <functional>
#include <memory>

class QLocalServer;

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

 private:
  QString path_;
  std::unique_ptr<QLocalServer> server_;
};
