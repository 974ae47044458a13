#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

// An adaptive binary range coder: each decision is coded with a probability
// that learns from the decisions coded before it in the same context, so the
// quadtree flags and block parameters cost what they are worth.
namespace fif {

// Probabilities are held in 1/2048ths.
constexpr int kModelBits = 11;
constexpr int kModelOne = 1 << kModelBits;
// The share a model moves by, as a shift, once it has seen enough; a quick
// one moves by more while it has seen few decisions: about one over their
// count and two, down to the fixed share.
constexpr int kMoveBits = 5;
constexpr int kQuickMoves[] = {1, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 4, 4, 4, 4, 4};
constexpr int kQuickDecisions = int(sizeof kQuickMoves / sizeof kQuickMoves[0]);

class BitModel {
 public:
  std::uint16_t probability = 1 << 10;  // of a zero, in 1/2048ths
  std::uint8_t seen = 0;  // decisions learnt from, up to a few
  // Moves the probability towards the bit just coded by a fixed share, or
  // (`quickly`, files from version 6) by larger shares while the model has
  // seen few decisions, so a context used only a few dozen times in a
  // picture still learns its odds.
  void learn(int bit, bool quickly) {
    const int move = quickly && seen < kQuickDecisions ? kQuickMoves[seen++] : kMoveBits;
    if (bit == 0)
      probability += std::uint16_t((kModelOne - probability) >> move);
    else
      probability -= std::uint16_t(probability >> move);
  }
};

// What coding a decision of probability p (in 1/2048ths, above 0) costs, in
// bits, by p.
extern const std::array<float, kModelOne> kBitCosts;

class RangeEncoder {
 public:
  // Models learn `quickly` in files from version 6.
  explicit RangeEncoder(bool quickly = false) : quickly_(quickly) {}
  void encode(BitModel& model, int bit);
  // Equiprobable bits, most significant first.
  void encodeDirect(std::uint32_t value, int bits);
  std::vector<std::uint8_t> finish();

 private:
  void shiftLow();

  std::uint64_t low_ = 0;
  std::uint32_t range_ = 0xFFFFFFFFu;
  std::uint8_t cache_ = 0;
  std::uint64_t cacheSize_ = 1;
  std::vector<std::uint8_t> out_;
  bool quickly_;
};

// What coding would cost, in bits, teaching the models as coding the newest
// version would: the encoder weighs its choices with it.
class BitCounter {
 public:
  // Inline: the encoder prices every level it weighs this way.
  void encode(BitModel& model, int bit) {
    bits_ += kBitCosts[std::size_t(bit == 0 ? model.probability : kModelOne - model.probability)];
    model.learn(bit, true);
  }
  void encodeDirect(std::uint32_t, int bits) { bits_ += float(bits); }
  float bits() const { return bits_; }

 private:
  float bits_ = 0;
};

// Reading past the end yields zero bytes: a truncated stream decodes to
// nonsense, never to a read outside the buffer.
class RangeDecoder {
 public:
  RangeDecoder(const std::uint8_t* data, std::size_t size, bool quickly = false);
  int decode(BitModel& model);
  std::uint32_t decodeDirect(int bits);
  // More was read than the stream holds: the rest is made up.
  bool overrun() const { return pos_ > size_; }

 private:
  std::uint8_t next();

  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
  std::uint32_t range_ = 0xFFFFFFFFu;
  std::uint32_t code_ = 0;
  bool quickly_;
};

// A symbol of `Bits` bits coded bit by bit, each bit in the context of the
// bits above it.
template <int Bits>
class SymbolModel {
 public:
  template <class Coder>
  void encode(Coder& coder, unsigned symbol) {
    unsigned node = 1;
    for (int i = Bits - 1; i >= 0; --i) {
      const int bit = (symbol >> i) & 1;
      coder.encode(models_[node], bit);
      node = (node << 1) | unsigned(bit);
    }
  }
  unsigned decode(RangeDecoder& coder) {
    unsigned node = 1;
    for (int i = 0; i < Bits; ++i) node = (node << 1) | unsigned(coder.decode(models_[node]));
    return node - (1u << Bits);
  }

 private:
  BitModel models_[1 << Bits];
};

}  // namespace fif
