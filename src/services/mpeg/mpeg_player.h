#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

#include "services/mpeg/mpeg_error.h"

class MpegLibrary;
class Timer;

enum class TPlayPriority { Idle, Lowest, BelowNormal, Normal, AboveNormal, Highest, TimeCritical };
enum class TOutputDevice { wavemapper, pcmfile };

// Stream mode events. The library reads through them on its playback thread.
using TOpenStreamEvent = std::function<void(bool& Nonseekable, void*& Context)>;
using TCloseStreamEvent = std::function<void(void* Context)>;
using TRestartStreamEvent = std::function<void(void* Context, bool& res)>;
using TGetStreamSizeEvent = std::function<void(void* Context, int& res)>;
using TSeekStreamEvent = std::function<void(void* Context, int numbytes, int MoveMethod, int& res)>;
using TReadStreamEvent =
    std::function<void(void* Context, void* read_buffer, int nNumberOfBytesToRead,
                       int& nNumberOfBytesRead, bool& res)>;
using TPosUpdateEvent = std::function<void(int Pos, int Len)>;
using TNotifyEvent = std::function<void(QObject* Sender)>;
using TPlayErrorEvent = std::function<void(const TMPEGError& Error)>;

// Plays MPEG audio files through the MPEG library, loaded at run time from
// PathToDLL. Keeps the open, playing and paused state, turns every library
// error into a TMPEGError, and polls the position with a timer of its own:
// OnPosUpdate while playing, OnPlayEnd once the library reports the end, and
// OnPlayError when it reports a failure met while playing.
class TMPEGPlayer : public QObject {
  Q_OBJECT
 public:
  static constexpr const char* kLibraryFileName = "libmpegdll.so";

  explicit TMPEGPlayer(QObject* owner = nullptr);
  ~TMPEGPlayer() override;

  bool Seekable() const { return seekable_; }
  void setSeekable(bool value) { seekable_ = value; }
  bool FromStream() const { return fromStream_; }
  void setFromStream(bool value) { fromStream_ = value; }
  TPlayPriority PlayerPriority() const;
  void setPlayerPriority(TPlayPriority value);
  bool UseTimer() const { return useTimer_; }
  // While a file plays, the switch also holds its running timer off or lets it run again.
  void setUseTimer(bool value);
  int TimerFreq() const { return timerFreq_; }
  void setTimerFreq(int value);
  bool AutoPlay() const { return autoPlay_; }
  void setAutoPlay(bool value) { autoPlay_ = value; }
  QString StreamName() const { return streamName_; }
  void setStreamName(const QString& value);
  TOutputDevice OutputDevice() const;
  void setOutputDevice(TOutputDevice value);
  int WaveDeviceNum() const { return waveDeviceNum_; }
  void setWaveDeviceNum(int value) { waveDeviceNum_ = value; }
  QString OutFilename() const { return outFilename_; }
  void setOutFilename(const QString& value) { outFilename_ = value; }
  QString PathToDLL() const { return pathToDll_; }
  void setPathToDLL(const QString& value) { pathToDll_ = value; }
  int StartPos() const { return startPos_; }
  void setStartPos(int value) { startPos_ = value; }
  int EndPos() const { return endPos_; }
  void setEndPos(int value) { endPos_ = value; }
  int PlayedXTimes() const { return playedXTimes_; }
  // From 0 (silent) to 1 (as decoded), held by the library across streams.
  double Volume() const { return volume_; }
  void setVolume(double value);

  TOpenStreamEvent OnOpenStream;
  TCloseStreamEvent OnCloseStream;
  TRestartStreamEvent OnRestartStream;
  TGetStreamSizeEvent OnGetStreamSize;
  TSeekStreamEvent OnSeekStream;
  TReadStreamEvent OnReadStream;
  TPosUpdateEvent OnPosUpdate;
  TNotifyEvent OnPlayEnd;
  // Raised instead of OnPlayEnd when playback failed on its way.
  TPlayErrorEvent OnPlayError;

  // The file LoadMPEGLibrary loads: PathToDLL with the library's file name;
  // the bare file name when PathToDLL is empty.
  QString LibraryFileName() const;
  void LoadMPEGLibrary();
  void UnloadMPEGLibrary();
  bool LibraryLoaded() const { return library_ != nullptr; }

  void Open();
  void Play();
  void Pause(bool Value);
  void Restart();
  void Close();
  void Seek(int Position);
  // The library's player modes, as PlayerMode gives them.
  enum Mode { ModeClosed = 0, ModeStopped = 2, ModePlaying = 3, ModePaused = 4 };
  int PlayerMode();
  int CurrentPos();
  int Length() const { return length_; }
  int LastErrorCode() const { return lastErrorCode_; }

  // The position timer's tick.
  virtual void TimerTick();
  // What the position timer runs: the tick, and a failure the library met
  // while playing ends playback with OnPlayError.
  void poll();

 private:
  // The loaded library; raises "MPEG library not loaded" when there is none.
  const MpegLibrary& loaded() const;
  void check();
  void startPlaying();
  void handVolumeOver() const;
  bool ended() const;
  void setEnded(bool value);

  bool seekable_ = false;
  bool fromStream_ = false;
  int priority_ = 0;
  bool useTimer_ = false;
  int timerFreq_ = 0;
  bool autoPlay_ = false;
  QString streamName_;
  int outputDevice_ = 0;
  int waveDeviceNum_ = 0;
  QString outFilename_;
  QString pathToDll_;
  int startPos_ = 0;
  int endPos_ = 0;
  int playedXTimes_ = 0;
  double volume_ = 1.0;

  std::unique_ptr<MpegLibrary> library_;
  std::unique_ptr<Timer> timer_;
  bool opened_ = false;
  bool playing_ = false;
  bool paused_ = false;
  // Set by the library's playback thread; read and cleared here.
  unsigned char ended_ = 0;
  int length_ = 0;
  int lastErrorCode_ = 0;
};
