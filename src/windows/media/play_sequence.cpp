#include "windows/media/play_sequence.h"

#include <cstdlib>

#include "services/files/selection_lines.h"
#include "services/media_device/media_device.h"
#include "services/mpeg/mpeg_player.h"
#include "windows/media/media_kind.h"

PlaySequence::PlaySequence(const SelectionLines& lines, std::unique_ptr<MediaDevice> device,
                           std::unique_ptr<TMPEGPlayer> mpeg)
    : lines_(lines), device_(std::move(device)), mpeg_(std::move(mpeg)) {}

PlaySequence::~PlaySequence() = default;

int PlaySequence::lastIndex() const { return lines_.count() - 1; }

bool PlaySequence::ticked(int row) const { return lines_.ticked(row); }

QString PlaySequence::fileAtCursor() const { return lines_.line(cursor_).path; }

bool PlaySequence::mpegOpen() const {
  return mpeg_->LibraryLoaded() && mpeg_->PlayerMode() != TMPEGPlayer::ModeClosed;
}

bool PlaySequence::mpegPlaying() const {
  return mpeg_->LibraryLoaded() && mpeg_->PlayerMode() == TMPEGPlayer::ModePlaying;
}

bool PlaySequence::mpegPausedByComponent() const {
  return mpeg_->LibraryLoaded() && mpeg_->PlayerMode() == TMPEGPlayer::ModePaused;
}

bool PlaySequence::mciPlaying() const { return device_->mode() == DeviceMode::Playing; }

bool PlaySequence::mciHeld() const {
  const DeviceMode mode = device_->mode();
  return mode == DeviceMode::Playing || mode == DeviceMode::Paused;
}

QString PlaySequence::fileHeld() const {
  const bool held = mpegActive_ ? mpegPlaying() || mpegPausedByComponent() : mciHeld();
  return held ? started_ : QString();
}

QString PlaySequence::title() const {
  const QString file = fileHeld();
  return file.mid(file.lastIndexOf('/') + 1).toUpper();
}

bool PlaySequence::playing() const { return !fileHeld().isEmpty() && !paused(); }

bool PlaySequence::paused() const {
  if (fileHeld().isEmpty()) return false;
  return mpegActive_ ? mpegPaused_ : device_->mode() == DeviceMode::Paused;
}

int PlaySequence::position() const {
  if (fileHeld().isEmpty()) return 0;
  return mpegActive_ ? std::abs(mpeg_->CurrentPos()) : static_cast<int>(device_->position());
}

int PlaySequence::length() const {
  if (fileHeld().isEmpty()) return 0;
  return mpegActive_ ? std::abs(mpeg_->Length()) : static_cast<int>(device_->trackLength(1));
}

VideoWindow PlaySequence::videoWindow() const {
  const bool videoHeld = !mpegActive_ && isVideo(fileHeld());
  return videoHeld ? video_ : VideoWindow::None;
}

bool PlaySequence::moveToTickedLine() {
  while (cursor_ <= lastIndex() && !ticked(cursor_)) ++cursor_;
  if (cursor_ <= lastIndex()) return true;
  cursor_ = 0;
  return false;
}

bool PlaySequence::startFrom(int highlighted) {
  cursor_ = highlighted > lastIndex() ? 0 : highlighted;
  mpegActive_ = false;
  return moveToTickedLine();
}

bool PlaySequence::findTickedLine() { return moveToTickedLine(); }

void PlaySequence::take(bool mpeg) {
  mpegActive_ = mpeg;
  mpegPaused_ = false;
  video_ = VideoWindow::None;
}

void PlaySequence::started(const QString& file) {
  started_ = file;
  playing_ = cursor_++;
}

bool PlaySequence::skipFailed() {
  mpegClosed();
  return ++cursor_ > lastIndex();
}

int PlaySequence::lastTickedLine() const {
  for (int row = lastIndex(); row >= 0; --row)
    if (ticked(row)) return row;
  return -1;
}

bool PlaySequence::next(int highlighted) {
  mpegClosed();
  const int last = lastTickedLine();
  if (last < cursor_) {
    cursor_ = last + 1;
    return false;
  }
  cursor_ = highlighted + 1;
  return true;
}

std::optional<int> PlaySequence::previous(int highlighted) {
  mpegClosed();
  for (cursor_ = highlighted - 1; cursor_ >= 0; --cursor_)
    if (ticked(cursor_)) return cursor_;
  cursor_ = 0;
  return std::nullopt;
}

bool PlaySequence::stopsAfterEndedFile(bool autoPlay, Origin origin) {
  const bool asked = origin == Origin::Play || origin == Origin::Next ||
                     origin == Origin::Previous || origin == Origin::List;
  return !autoPlay && !asked;
}

AfterFile PlaySequence::mciFileEnded(bool autoPlay) {
  return autoPlay ? AfterFile::NextLine : AfterFile::Stop;
}

AfterFile PlaySequence::mpegFileEnded(bool autoPlay) {
  mpegClosed();
  if (!autoPlay) return AfterFile::Stop;
  if (pastEnd()) {
    cursor_ = 0;
    return AfterFile::QuietEnd;
  }
  return moveToTickedLine() ? AfterFile::NextLine : AfterFile::NoMoreSelections;
}

void PlaySequence::letGo() {
  if (mpegOpen()) mpeg_->Close();
  mpegClosed();
  device_->close();
}

PauseAction PlaySequence::pause() {
  if (mpegActive_ && mpegPaused_) {
    mpegPaused_ = false;
    return PauseAction::ResumeMpeg;
  }
  if (mpegActive_) {
    if (!mpegPlaying()) return PauseAction::Nothing;
    mpegPaused_ = true;
    return PauseAction::PauseMpeg;
  }
  return mciHeld() ? PauseAction::ToggleMci : PauseAction::Nothing;
}

void PlaySequence::activated() {
  if (!mpegPausedByComponent()) mpegPaused_ = false;
}

bool PlaySequence::stop() {
  busy_ = true;
  const bool closeMpeg = mpegActive_;
  mpegClosed();
  return closeMpeg;
}
