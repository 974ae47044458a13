#pragma once

#include <QDBusAbstractAdaptor>
#include <QDBusObjectPath>
#include <QObject>
#include <QStringList>
#include <QTimer>
#include <QVariantMap>
#include <functional>

#include "wiring/front_player.h"

class Forms;
class HandedFiles;

// The program on the session bus as a media player the desktop can drive
// (media keys, sound menus): the player in front, through its own buttons.
// Without a session bus it stays silent and does nothing.
class MediaKeys : public QObject {
  Q_OBJECT
 public:
  // Files opened from outside go to the program as handed files.
  MediaKeys(Forms& forms, HandedFiles& handedFiles);
  ~MediaKeys() override;

  // What the two interfaces ask of the program.
  void raise();
  void quit();
  void play();
  void pause();
  void playPause();
  void stop();
  void next();
  void previous();
  void seekBy(qint64 microseconds);
  void setPosition(const QString& trackId, qint64 microseconds);
  void openUri(const QString& uri);

  QString playbackStatus();
  QVariantMap metadata();
  qint64 position();
  bool canGoNext();
  bool canGoPrevious();
  bool canPlay();
  bool canPause();
  bool canSeek();

 signals:
  void Seeked(qlonglong position);

 private:
  // Commands run after the call has been answered, and only between handlers.
  void later(std::function<void(FrontPlayer&)> command);
  // Asks the player in front; false when there is none.
  bool ask(const std::function<bool(const FrontPlayer&)>& question);
  void announceChanges();
  QVariantMap playerProperties();

  Forms& forms_;
  HandedFiles& handedFiles_;
  bool registered_ = false;
  QVariantMap announced_;
  QTimer watch_;
};

class MediaPlayer2Root : public QDBusAbstractAdaptor {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2")
  Q_PROPERTY(bool CanQuit READ yes)
  Q_PROPERTY(bool CanRaise READ yes)
  Q_PROPERTY(bool HasTrackList READ no)
  Q_PROPERTY(QString Identity READ identity)
  Q_PROPERTY(QString DesktopEntry READ desktopEntry)
  Q_PROPERTY(QStringList SupportedUriSchemes READ uriSchemes)
  Q_PROPERTY(QStringList SupportedMimeTypes READ mimeTypes)
 public:
  explicit MediaPlayer2Root(MediaKeys& keys);
  bool yes() const { return true; }
  bool no() const { return false; }
  QString identity() const { return "Corvela Pro"; }
  QString desktopEntry() const { return "corvela"; }
  QStringList uriSchemes() const { return {"file"}; }
  QStringList mimeTypes() const;

 public slots:
  void Raise() { keys_.raise(); }
  void Quit() { keys_.quit(); }

 private:
  MediaKeys& keys_;
};

class MediaPlayer2Player : public QDBusAbstractAdaptor {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2.Player")
  Q_PROPERTY(QString PlaybackStatus READ playbackStatus)
  Q_PROPERTY(double Rate READ one)
  Q_PROPERTY(double MinimumRate READ one)
  Q_PROPERTY(double MaximumRate READ one)
  Q_PROPERTY(double Volume READ volume WRITE setVolume)
  Q_PROPERTY(QVariantMap Metadata READ metadata)
  Q_PROPERTY(qlonglong Position READ position)
  Q_PROPERTY(bool CanGoNext READ canGoNext)
  Q_PROPERTY(bool CanGoPrevious READ canGoPrevious)
  Q_PROPERTY(bool CanPlay READ canPlay)
  Q_PROPERTY(bool CanPause READ canPause)
  Q_PROPERTY(bool CanSeek READ canSeek)
  Q_PROPERTY(bool CanControl READ canControl)
 public:
  explicit MediaPlayer2Player(MediaKeys& keys);
  QString playbackStatus() const { return keys_.playbackStatus(); }
  double one() const { return 1.0; }
  double volume() const;
  void setVolume(double volume);
  QVariantMap metadata() const { return keys_.metadata(); }
  qlonglong position() const { return keys_.position(); }
  bool canGoNext() const { return keys_.canGoNext(); }
  bool canGoPrevious() const { return keys_.canGoPrevious(); }
  bool canPlay() const { return keys_.canPlay(); }
  bool canPause() const { return keys_.canPause(); }
  bool canSeek() const { return keys_.canSeek(); }
  bool canControl() const { return true; }

 public slots:
  void Next() { keys_.next(); }
  void Previous() { keys_.previous(); }
  void Pause() { keys_.pause(); }
  void PlayPause() { keys_.playPause(); }
  void Stop() { keys_.stop(); }
  void Play() { keys_.play(); }
  void Seek(qlonglong offset) { keys_.seekBy(offset); }
  void SetPosition(const QDBusObjectPath& trackId, qlonglong position) {
    keys_.setPosition(trackId.path(), position);
  }
  void OpenUri(const QString& uri) { keys_.openUri(uri); }

 signals:
  void Seeked(qlonglong position);

 private:
  MediaKeys& keys_;
};
