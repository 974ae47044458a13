#include "services/mpeg/mpeg_player.h"

#include <QFile>
#include <algorithm>
#include <array>
#include <atomic>

#include "platform/timer.h"
#include "services/mpeg/mpeg_library.h"

namespace {

constexpr uint8_t kNotLoaded = 0;
constexpr uint8_t kIncorrectMode = TMPEGError::kIncorrectMode;
// The component's own code for names it will not hand to the library.
constexpr uint8_t kUnplayableName = 254;
// The longest names the library is given, as its callers have always sized them.
constexpr int kMaxStreamName = 511;
constexpr int kMaxOutFilename = 259;

constexpr std::array<int, 7> kPriorityValues = {-15, -2, -1, 0, 1, 2, 15};

TMPEGPlayer& player(void* user) { return *static_cast<TMPEGPlayer*>(user); }

// The library's stream callbacks, each forwarded to its event; an unassigned
// event answers as an input that cannot do it.
void openStream(void* user, bool* nonseekable, void** context) {
  if (player(user).OnOpenStream)
    player(user).OnOpenStream(*nonseekable, *context);
  else
    *context = nullptr;
}

void closeStream(void* user, void* context) {
  if (player(user).OnCloseStream) player(user).OnCloseStream(context);
}

void restartStream(void* user, void* context, bool* result) {
  *result = false;
  if (player(user).OnRestartStream) player(user).OnRestartStream(context, *result);
}

void readStream(void* user, void* context, void* buffer, int count, int* read, bool* result) {
  *result = false;
  if (player(user).OnReadStream) player(user).OnReadStream(context, buffer, count, *read, *result);
}

void seekStream(void* user, void* context, int bytes, int method, int* result) {
  *result = -1;
  if (player(user).OnSeekStream) player(user).OnSeekStream(context, bytes, method, *result);
}

void streamSize(void* user, void* context, int* result) {
  *result = -1;
  if (player(user).OnGetStreamSize) player(user).OnGetStreamSize(context, *result);
}

}  // namespace

TMPEGError TMPEGError::fromCode(int code) {
  static const std::array<const char*, 6> kMessages = {
      "MPEG library not loaded", "Internal decoder error",       "Incorrect mode",
      "Input stream error",      "Input stream is non-seekable", "Output device failure"};
  const bool known = code >= 0 && code < static_cast<int>(kMessages.size());
  return TMPEGError(known ? kMessages[code] : QString("MPEG library error %1").arg(code),
                    static_cast<uint8_t>(code));
}

TMPEGPlayer::TMPEGPlayer(QObject* owner) : QObject(owner) {}

// The library's thread writes the ended byte, which dies with the component:
// a library still loaded is ended first, even when its stream fails to close.
TMPEGPlayer::~TMPEGPlayer() {
  try {
    UnloadMPEGLibrary();
  } catch (const TMPEGError&) {
    library_->exports().deinit();
  }
}

TPlayPriority TMPEGPlayer::PlayerPriority() const {
  const auto found = std::find(kPriorityValues.begin(), kPriorityValues.end(), priority_);
  return found == kPriorityValues.end()
             ? TPlayPriority::Normal
             : static_cast<TPlayPriority>(found - kPriorityValues.begin());
}

void TMPEGPlayer::setPlayerPriority(TPlayPriority value) {
  priority_ = kPriorityValues[static_cast<size_t>(value)];
  if (!LibraryLoaded()) return;
  loaded().exports().SetPriority(priority_);
  check();
}

void TMPEGPlayer::setVolume(double value) {
  volume_ = value;
  if (LibraryLoaded()) handVolumeOver();
}

// The library takes any value and cannot fail at it, so there is nothing to
// check: the desktop sets the volume from outside any handler.
void TMPEGPlayer::handVolumeOver() const {
  if (const auto setVolume = loaded().exports().SetVolume) setVolume(volume_);
}

void TMPEGPlayer::setTimerFreq(int value) {
  timerFreq_ = value;
  if (value == 0) useTimer_ = false;
}

void TMPEGPlayer::setStreamName(const QString& value) {
  streamName_ = value;
  if (opened_) Close();
}

TOutputDevice TMPEGPlayer::OutputDevice() const {
  return outputDevice_ != 0 ? TOutputDevice::pcmfile : TOutputDevice::wavemapper;
}

void TMPEGPlayer::setOutputDevice(TOutputDevice value) {
  outputDevice_ = value == TOutputDevice::pcmfile ? 2 : 0;
}

QString TMPEGPlayer::LibraryFileName() const {
  if (pathToDll_.isEmpty()) return kLibraryFileName;
  return pathToDll_.endsWith('/') ? pathToDll_ + kLibraryFileName
                                  : pathToDll_ + '/' + kLibraryFileName;
}

// Loading again while loaded changes nothing: the window loads on every activation.
void TMPEGPlayer::LoadMPEGLibrary() {
  if (LibraryLoaded()) return;
  auto library = std::make_unique<MpegLibrary>(LibraryFileName());
  if (!library->exports().init()) {
    lastErrorCode_ = library->exports().LastError();
    throw TMPEGError::fromCode(lastErrorCode_);
  }
  library_ = std::move(library);
  handVolumeOver();
  timer_ = std::make_unique<Timer>(nullptr, useTimer_ ? timerFreq_ : 0);
  timer_->setEnabled(false);
  timer_->onTimer([this] { poll(); });
  length_ = 0;
}

void TMPEGPlayer::UnloadMPEGLibrary() {
  if (!LibraryLoaded()) return;
  if (opened_) Close();
  library_->exports().deinit();
  library_.reset();
}

void TMPEGPlayer::Open() {
  const auto& dll = loaded().exports();
  if (opened_) Close();
  opened_ = false;
  if (fromStream_) {
    dll.Open(nullptr, MPEGDLL_STREAM_CALLBACKS, &openStream, &closeStream, &restartStream,
             &readStream, &seekStream, &streamSize, this);
  } else {
    if (streamName_.isEmpty()) throw TMPEGError("Can't play non-specified stream", kUnplayableName);
    // A cut name would open a different file.
    if (streamName_.size() > kMaxStreamName)
      throw TMPEGError("Stream name too long", kUnplayableName);
    dll.Open(QFile::encodeName(streamName_).constData(), MPEGDLL_STREAM_FILE, nullptr, nullptr,
             nullptr, nullptr, nullptr, nullptr, nullptr);
  }
  check();
  opened_ = true;
  playedXTimes_ = 1;
  length_ = dll.GetLength();
  check();
  if (autoPlay_) Play();
}

void TMPEGPlayer::Play() {
  const auto& dll = loaded().exports();
  if (paused_) {
    Pause(false);
    return;
  }
  if (playing_) return;
  if (!opened_) Open();
  if (!opened_) return;
  if (playedXTimes_ > 1) {
    Restart();
    return;
  }
  if (outFilename_.size() > kMaxOutFilename)
    throw TMPEGError("Output file name too long", kUnplayableName);
  dll.SetPriority(priority_);
  check();
  dll.SetOutputDevice(outputDevice_, QFile::encodeName(outFilename_).constData());
  check();
  dll.SetSndDevice(waveDeviceNum_);
  check();
  const int failed = dll.Play(startPos_, endPos_, &ended_);
  lastErrorCode_ = dll.LastError();
  if (lastErrorCode_ > 0 || failed != 0) throw TMPEGError::fromCode(lastErrorCode_);
  startPlaying();
}

void TMPEGPlayer::Restart() {
  const auto& dll = loaded().exports();
  if (!opened_) throw TMPEGError::fromCode(kIncorrectMode);
  setEnded(false);
  dll.Restart();
  check();
  startPlaying();
}

void TMPEGPlayer::Pause(bool Value) {
  const auto& dll = loaded().exports();
  if (!playing_ || ended()) {
    paused_ = false;
    if (Value) throw TMPEGError::fromCode(kIncorrectMode);
    return;
  }
  dll.Pause(Value ? 0 : 1);
  check();
  paused_ = Value;
}

void TMPEGPlayer::Close() {
  const auto& dll = loaded().exports();
  opened_ = paused_ = playing_ = false;
  playedXTimes_ = 0;
  dll.Close();
  check();
}

void TMPEGPlayer::Seek(int Position) {
  loaded().exports().Seek(Position);
  check();
}

int TMPEGPlayer::PlayerMode() {
  const int mode = loaded().exports().GetPlayerMode();
  check();
  return mode;
}

int TMPEGPlayer::CurrentPos() {
  const int position = loaded().exports().GetCurrentPos();
  check();
  return position;
}

void TMPEGPlayer::TimerTick() {
  if (!opened_ || !playing_) {
    if (timer_) timer_->setEnabled(false);
    return;
  }
  int position = CurrentPos();
  if (position > length_) position = 0;
  if (OnPosUpdate) OnPosUpdate(position, length_);
  if (!ended()) return;
  timer_->setEnabled(false);
  playing_ = false;
  if (OnPlayEnd) {
    setEnded(false);
    OnPlayEnd(this);
  }
}

void TMPEGPlayer::poll() {
  try {
    TimerTick();
  } catch (const TMPEGError& error) {
    timer_->setEnabled(false);
    playing_ = paused_ = false;
    setEnded(false);
    if (OnPlayError) OnPlayError(error);
  }
}

const MpegLibrary& TMPEGPlayer::loaded() const {
  if (!library_) throw TMPEGError::fromCode(kNotLoaded);
  return *library_;
}

void TMPEGPlayer::check() {
  lastErrorCode_ = library_ ? library_->exports().LastError() : 0;
  if (lastErrorCode_ > 0) throw TMPEGError::fromCode(lastErrorCode_);
}

void TMPEGPlayer::setUseTimer(bool value) {
  useTimer_ = value;
  if (timer_ && playing_) timer_->setEnabled(value && timer_->Interval() != 0);
}

void TMPEGPlayer::startPlaying() {
  playing_ = true;
  ++playedXTimes_;
  if (useTimer_ && timer_->Interval() != 0) {
    timer_->setEnabled(true);
    TimerTick();
  }
}

bool TMPEGPlayer::ended() const {
  return std::atomic_ref<const unsigned char>(ended_).load(std::memory_order_acquire) != 0;
}

void TMPEGPlayer::setEnded(bool value) {
  std::atomic_ref<unsigned char>(ended_).store(value ? 1 : 0, std::memory_order_release);
}
