#include "windows/media/play_sequence.h"

#include "services/files/selection_lines.h"

int PlaySequence::lastIndex() const { return lines_.count() - 1; }

bool PlaySequence::ticked(int row) const { return lines_.ticked(row); }

QString PlaySequence::fileAtCursor() const { return lines_.line(cursor_).path; }

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

PauseAction PlaySequence::pause(bool mpegPlaying, bool mciPlayingOrPaused) {
  if (mpegActive_ && mpegPaused_) {
    mpegPaused_ = false;
    return PauseAction::ResumeMpeg;
  }
  if (mpegActive_) {
    if (!mpegPlaying) return PauseAction::Nothing;
    mpegPaused_ = true;
    return PauseAction::PauseMpeg;
  }
  return mciPlayingOrPaused ? PauseAction::ToggleMci : PauseAction::Nothing;
}

bool PlaySequence::stop() {
  const bool closeMpeg = mpegActive_;
  mpegClosed();
  return closeMpeg;
}
