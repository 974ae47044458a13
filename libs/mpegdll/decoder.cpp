#include "decoder.h"

#include <algorithm>

#include "failure.h"
#include "mpegdll.h"

namespace {

// Frames decoded unheard before a place sought: a layer III frame's data may
// begin up to 511 bytes back (255 at the low rates), which in the smallest
// frames of a low-rate VBR file is two dozen frames; fewer leaves the first
// sound after a seek garbled.
constexpr long kFramesBeforeASeek = 32;

// Accept every rate the decoder knows, as 16-bit samples with the given channels.
void allowSigned16(mpg123_handle* handle, int channels) {
  mpg123_format_none(handle);
  const long* rates = nullptr;
  size_t count = 0;
  mpg123_rates(&rates, &count);
  for (size_t i = 0; i < count; ++i)
    mpg123_format(handle, rates[i], channels, MPG123_ENC_SIGNED_16);
}

}  // namespace

Decoder::Decoder(std::unique_ptr<Input> input) : input_(std::move(input)) {
  int error = MPG123_OK;
  handle_.reset(mpg123_new(nullptr, &error));
  if (!handle_) throw Failure(MPEGDLL_DECODER_ERROR);
  mpg123_param(handle(), MPG123_ADD_FLAGS, MPG123_QUIET | MPG123_GAPLESS, 0);
  mpg123_param(handle(), MPG123_PREFRAMES, kFramesBeforeASeek, 0);
  allowSigned16(handle(), MPG123_MONO | MPG123_STEREO);
  openInput();
  settleFormat();
}

void Decoder::openInput() {
  if (!input_->seekable()) {
    mpg123_param(handle(), MPG123_ADD_FLAGS, MPG123_NO_PEEK_END, 0);
    if (const long size = input_->size(); size > 0) mpg123_set_filesize(handle(), size);
  }
  if (mpg123_replace_reader_handle(handle(), &Input::readFrom, &Input::seekIn, nullptr) !=
          MPG123_OK ||
      mpg123_open_handle(handle(), input_.get()) != MPG123_OK)
    throw Failure(MPEGDLL_INPUT_ERROR);
}

// Finds the first frame, then fixes the output format so that a stream that
// changes channel count mid-way is converted rather than changing under the
// output. The first frame's facts are kept for the caller. A seekable input
// is scanned once for an exact length and seek index.
void Decoder::settleFormat() {
  long rate = 0;
  int channels = 0;
  int encoding = 0;
  if (mpg123_getformat(handle(), &rate, &channels, &encoding) != MPG123_OK)
    throw Failure(MPEGDLL_INPUT_ERROR);
  format_ = {rate, channels};
  if (mpg123_frameinfo info{}; mpg123_info(handle(), &info) == MPG123_OK)
    facts_ = {static_cast<int>(info.rate), info.bitrate, static_cast<int>(info.mode), info.layer};
  allowSigned16(handle(), channels);
  if (seekable() && mpg123_scan(handle()) != MPG123_OK) throw Failure(MPEGDLL_INPUT_ERROR);
  length_ = std::max<int64_t>(0, mpg123_length(handle()));
}

int64_t Decoder::seek(int64_t frame) {
  if (!seekable()) throw Failure(MPEGDLL_NON_SEEKABLE);
  const int64_t target = std::clamp<int64_t>(frame, 0, length_);
  const off_t landed = mpg123_seek(handle(), static_cast<off_t>(target), SEEK_SET);
  if (landed < 0) throw Failure(MPEGDLL_INPUT_ERROR);
  atStart_ = landed == 0;
  return landed;
}

void Decoder::rewind() {
  if (atStart_) return;
  if (seekable()) {
    seek(0);
    return;
  }
  if (!input_->rewind()) throw Failure(MPEGDLL_NON_SEEKABLE);
  mpg123_close(handle());
  openInput();
  settleFormat();
  atStart_ = true;
}

std::span<const int16_t> Decoder::read(std::span<int16_t> buffer) {
  atStart_ = false;
  size_t done = 0;
  int result = MPG123_NEW_FORMAT;
  // A format message comes without samples; the next call brings them.
  while (result == MPG123_NEW_FORMAT && done == 0)
    result = mpg123_read(handle(), buffer.data(), buffer.size_bytes(), &done);
  return buffer.first(done / sizeof(int16_t));
}
