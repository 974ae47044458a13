#include "fif/range_coder.h"

#include <array>
#include <cmath>

namespace fif {

namespace {

constexpr std::uint32_t kTop = 1u << 24;

}  // namespace

const std::array<float, kModelOne> kBitCosts = [] {
  std::array<float, kModelOne> table{};
  for (std::size_t p = 1; p < table.size(); ++p)
    table[p] = -std::log2(float(p) / float(table.size()));
  return table;
}();

void RangeEncoder::encode(BitModel& model, int bit) {
  const std::uint32_t bound = (range_ >> kModelBits) * model.probability;
  if (bit == 0) {
    range_ = bound;
  } else {
    low_ += bound;
    range_ -= bound;
  }
  model.learn(bit, quickly_);
  while (range_ < kTop) {
    range_ <<= 8;
    shiftLow();
  }
}

void RangeEncoder::encodeDirect(std::uint32_t value, int bits) {
  for (int i = bits - 1; i >= 0; --i) {
    range_ >>= 1;
    if ((value >> i) & 1) low_ += range_;
    while (range_ < kTop) {
      range_ <<= 8;
      shiftLow();
    }
  }
}

void RangeEncoder::shiftLow() {
  if (low_ < 0xFF000000u || low_ > 0xFFFFFFFFu) {
    const auto carry = std::uint8_t(low_ >> 32);
    std::uint8_t byte = cache_;
    do {
      out_.push_back(std::uint8_t(byte + carry));
      byte = 0xFF;
    } while (--cacheSize_ != 0);
    cache_ = std::uint8_t(low_ >> 24);
  }
  ++cacheSize_;
  low_ = (low_ & 0x00FFFFFFu) << 8;
}

std::vector<std::uint8_t> RangeEncoder::finish() {
  for (int i = 0; i < 5; ++i) shiftLow();
  return std::move(out_);
}

RangeDecoder::RangeDecoder(const std::uint8_t* data, std::size_t size, bool quickly)
    : data_(data), size_(size), quickly_(quickly) {
  for (int i = 0; i < 5; ++i) code_ = (code_ << 8) | next();
}

std::uint8_t RangeDecoder::next() {
  const std::uint8_t byte = pos_ < size_ ? data_[pos_] : 0;
  if (pos_ <= size_) ++pos_;
  return byte;
}

int RangeDecoder::decode(BitModel& model) {
  const std::uint32_t bound = (range_ >> kModelBits) * model.probability;
  int bit;
  if (code_ < bound) {
    range_ = bound;
    bit = 0;
  } else {
    code_ -= bound;
    range_ -= bound;
    bit = 1;
  }
  model.learn(bit, quickly_);
  while (range_ < kTop) {
    range_ <<= 8;
    code_ = (code_ << 8) | next();
  }
  return bit;
}

std::uint32_t RangeDecoder::decodeDirect(int bits) {
  std::uint32_t value = 0;
  for (int i = 0; i < bits; ++i) {
    range_ >>= 1;
    int bit = 0;
    if (code_ >= range_) {
      code_ -= range_;
      bit = 1;
    }
    value = (value << 1) | std::uint32_t(bit);
    while (range_ < kTop) {
      range_ <<= 8;
      code_ = (code_ << 8) | next();
    }
  }
  return value;
}

}  // namespace fif
