#include "player.h"

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <utility>

#include "failure.h"

namespace {

// How often the playback thread looks at the output while it has no room.
constexpr auto kPollInterval = std::chrono::milliseconds(20);
constexpr size_t kBufferSamples = 16384;

// Thread priorities -15 to 15 onto nice values: normal is 0, each named step
// above or below moves by 5, and the extremes are the nice range's ends.
int niceFor(int priority) { return std::clamp(-priority * 5, -20, 19); }

void setEnded(unsigned char* ended, unsigned char value) {
  if (ended) std::atomic_ref<unsigned char>(*ended).store(value, std::memory_order_release);
}

}  // namespace

Player::~Player() { close(); }

void Player::open(const std::function<std::unique_ptr<Decoder>()>& openInput) {
  close();
  decoder_ = openInput();
  mode_ = MPEGDLL_MODE_STOPPED;
}

void Player::close() {
  stopPlayback();
  failure_ = MPEGDLL_OK;
  decoder_.reset();
  mode_ = MPEGDLL_MODE_CLOSED;
  positionMs_ = 0;
}

void Player::play(int startMs, int endMs, unsigned char* ended) {
  stop();
  startPlayback({startMs, endMs, ended});
}

void Player::restart() {
  stop();
  startPlayback(played_);
}

void Player::pause(bool paused) {
  if (!send({paused ? Command::Pause : Command::Resume})) throw Failure(MPEGDLL_INCORRECT_MODE);
}

void Player::stop() {
  decoder();  // nothing open is an incorrect mode
  stopPlayback();
}

void Player::rewind() {
  stop();
  decoder_->rewind();
  positionMs_ = 0;
}

void Player::seek(int ms) {
  Decoder& input = decoder();
  const int64_t frame = input.format().framesFromMs(std::max(ms, 0));
  if (send({Command::Seek, frame})) return;
  positionMs_ = input.format().msFromFrames(input.seek(frame));
}

void Player::setPriority(int priority) {
  priority_ = priority;
  std::lock_guard lock(mutex_);
  if (running_) applyPriority();
}

void Player::setOutputDevice(int device, const char* fileName) {
  if (device != MPEGDLL_DEVICE_DEFAULT && device != MPEGDLL_DEVICE_PCM_FILE)
    throw Failure(MPEGDLL_OUTPUT_ERROR);
  device_ = device;
  outputFile_ = fileName ? fileName : "";
}

void Player::setSoundDevice(int device) {
  // There is one output device, the default one (or the mapper, -1).
  if (device != 0 && device != -1) throw Failure(MPEGDLL_OUTPUT_ERROR);
}

// The playback thread takes it up at once, even while paused.
void Player::setVolume(double volume) {
  if (std::isnan(volume)) return;
  {
    std::lock_guard lock(mutex_);
    volume_ = std::clamp(volume, 0.0, 1.0);
  }
  wake_.notify_all();
}

int Player::position() {
  if (const int failure = failure_.exchange(MPEGDLL_OK); failure != MPEGDLL_OK)
    throw Failure(failure);
  return static_cast<int>(positionMs_);
}

int Player::length() const {
  return decoder_ ? static_cast<int>(decoder_->format().msFromFrames(decoder_->lengthFrames())) : 0;
}

StreamFacts Player::facts() const { return decoder_ ? decoder_->facts() : StreamFacts{}; }

Decoder& Player::decoder() {
  if (!decoder_) throw Failure(MPEGDLL_INCORRECT_MODE);
  return *decoder_;
}

void Player::startPlayback(const Request& request) {
  Decoder& input = decoder();
  const PcmFormat& format = input.format();
  int64_t first = 0;
  if (request.startMs > 0)
    first = input.seek(format.framesFromMs(request.startMs));
  else
    input.rewind();
  output_ = device_ == MPEGDLL_DEVICE_PCM_FILE ? makePcmFileOutput(format, outputFile_)
                                               : makeDefaultOutput(format);
  outputVolume_ = volume_;
  output_->setVolume(outputVolume_);
  played_ = request;
  endFrame_ = request.endMs > 0 ? format.framesFromMs(request.endMs) : -1;
  baseFrame_ = decodedFrame_ = first;
  paused_ = draining_ = false;
  buffer_.resize(kBufferSamples);
  positionMs_ = format.msFromFrames(first);
  failure_ = MPEGDLL_OK;
  setEnded(played_.ended, 0);
  mode_ = MPEGDLL_MODE_PLAYING;
  running_ = true;
  thread_ = std::thread([this] { run(); });
}

void Player::stopPlayback() {
  send({Command::Quit});
  reap();
  if (decoder_) mode_ = MPEGDLL_MODE_STOPPED;
}

void Player::reap() {
  if (thread_.joinable()) thread_.join();
  output_.reset();
}

// Hands a command to the running thread and waits until it is done; false
// when no thread runs (it may just have ended by itself).
bool Player::send(Command command) {
  std::unique_lock lock(mutex_);
  if (!running_) {
    lock.unlock();
    reap();
    return false;
  }
  command_ = command;
  wake_.notify_all();
  done_.wait(lock, [this] { return !command_; });
  if (std::exchange(commandUnanswered_, false)) {
    lock.unlock();
    reap();
    return false;
  }
  if (commandFailure_ != MPEGDLL_OK) throw Failure(std::exchange(commandFailure_, MPEGDLL_OK));
  return true;
}

void Player::run() {
  std::unique_lock lock(mutex_);
  threadId_ = gettid();
  applyPriority();
  try {
    loop(lock);
  } catch (const Failure& failure) {
    if (!lock.owns_lock()) lock.lock();
    finishWithFailure(failure.code);
  }
  running_ = false;
  threadId_ = 0;
  // A command that came while the last piece was decoded or written meets a
  // thread that has ended: it is told so, as if it had come just after.
  if (command_) {
    command_.reset();
    commandUnanswered_ = true;
    done_.notify_all();
  }
}

// Commands, decoding and the end, until the end or a quit; an output that
// fails is thrown out of here.
void Player::loop(std::unique_lock<std::mutex>& lock) {
  for (;;) {
    followVolume();
    if (command_) {
      const bool goOn = apply(*command_);
      command_.reset();
      done_.notify_all();
      if (!goOn) break;
      continue;
    }
    if (paused_) {
      wake_.wait(lock);
      continue;
    }
    if (draining_) {
      if (output_->drained()) {
        finishAtEnd();
        return;
      }
    } else if (output_->hasRoom()) {
      lock.unlock();
      const bool decoded = decodeStep();
      lock.lock();
      if (!decoded) {
        finishAtEnd();
        return;
      }
      continue;
    }
    publishPosition();
    wake_.wait_for(lock, kPollInterval);
  }
}

bool Player::apply(const Command& command) {
  try {
    switch (command.kind) {
      case Command::Pause:
      case Command::Resume:
        paused_ = command.kind == Command::Pause;
        output_->setPaused(paused_);
        mode_ = paused_ ? MPEGDLL_MODE_PAUSED : MPEGDLL_MODE_PLAYING;
        return true;
      case Command::Seek:
        seekWhilePlaying(command.frame);
        return true;
      case Command::Quit:
        return false;
    }
  } catch (const Failure& failure) {
    // The caller hears of it through its own call.
    commandFailure_ = failure.code;
  }
  return true;
}

void Player::seekWhilePlaying(int64_t frame) {
  const int64_t landed = decoder_->seek(frame);
  output_->flush();
  baseFrame_ = decodedFrame_ = landed;
  draining_ = false;
  positionMs_ = decoder_->format().msFromFrames(landed);
}

// Decodes one piece and writes it; at the end of the input (or of the range
// played) tells the output no more comes. False when the input cannot be
// decoded further, which ends playback as the end of the input would; a
// failing output is thrown.
bool Player::decodeStep() {
  std::span<const int16_t> samples;
  try {
    samples = decoder_->read(buffer_);
  } catch (const Failure&) {
    return false;
  }
  const int channels = decoder_->format().channels;
  int64_t frames = static_cast<int64_t>(samples.size()) / channels;
  if (endFrame_ >= 0) frames = std::clamp<int64_t>(endFrame_ - decodedFrame_, 0, frames);
  if (frames == 0) {
    output_->finish();
    draining_ = true;
    return true;
  }
  output_->write(samples.first(frames * channels));
  decodedFrame_ += frames;
  publishPosition();
  return true;
}

void Player::followVolume() {
  if (volume_ == outputVolume_) return;
  outputVolume_ = volume_;
  output_->setVolume(outputVolume_);
}

void Player::publishPosition() {
  const int64_t heard = std::min(baseFrame_ + output_->playedFrames(), decodedFrame_);
  positionMs_ = decoder_->format().msFromFrames(heard);
}

// The position is the end itself, the mode says stopped, and only then the
// caller's ended byte is set, so whoever sees it sees a finished player.
void Player::finishAtEnd() {
  positionMs_ = decoder_->format().msFromFrames(decodedFrame_);
  mode_ = MPEGDLL_MODE_STOPPED;
  setEnded(played_.ended, 1);
}

// Playback stops where the output failed; the failure is kept for the
// caller before the ended byte tells it to look.
void Player::finishWithFailure(int code) {
  mode_ = MPEGDLL_MODE_STOPPED;
  failure_ = code;
  setEnded(played_.ended, 1);
}

// Best effort: raising the priority needs a privilege the user may not have.
void Player::applyPriority() {
  if (threadId_ != 0) setpriority(PRIO_PROCESS, static_cast<id_t>(threadId_), niceFor(priority_));
}
