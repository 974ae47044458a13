#pragma once

#include <QString>
#include <array>
#include <random>

// Which track plays next: the random permutation of the whole disc, the order
// in which boxes were ticked, and the search for the next ticked box. Knows
// nothing of the window; the window asks it and acts on the answer.
class PlayOrder {
 public:
  // Track boxes ticked, slots 1..30.
  using Ticks = std::array<bool, 31>;
  static constexpr int kMaxSelected = 30;

  // The first ticked box from `from` on in the direction of step (+1 or -1),
  // 0 when none lies that way.
  static int tickedFrom(const Ticks& ticks, int from, int step);
  // Intro scan in track order ends once no ticked box follows the track playing.
  static bool introScanEndsAfter(const Ticks& ticks, int track) {
    return tickedFrom(ticks, track + 1, +1) == 0;
  }

  // A uniform permutation of 1..trackCount, played from its first slot.
  void shuffle(int trackCount);
  // The next track of the permutation (Previous steps back one). A used-up
  // permutation is drawn again, never starting with the track just played.
  int nextRandom(int trackCount, bool previous);
  int randomSlot(int slot) const { return random_.at(static_cast<std::size_t>(slot)); }
  QString randomText() const { return randomText_; }

  void clearSelected();
  // A box ticked or unticked in order-of-selection mode. While nothing plays
  // the order starts again from its first slot.
  void tick(int track, bool playing);
  void untick(int track, bool playing);
  int selectedCount() const { return count_; }
  int selectedSlot(int slot) const { return selected_.at(static_cast<std::size_t>(slot)); }
  QString selectedText() const;

  // The Play button starts the order from its first slot.
  int firstSelected();
  // The slot to play next, 0 once the order is used up.
  int nextSelected();
  bool selectedUsedUp() const { return index_ > count_; }
  void prepareNext(bool playing);
  void preparePrevious();
  // Stop and the hand-overs start the order again.
  void restartSelected() { index_ = 1; }

 private:
  std::array<int, 101> random_{};
  int randomIndex_ = 1;
  QString randomText_;
  std::array<int, kMaxSelected + 1> selected_{};
  int count_ = 0;
  int index_ = 1;  // the slot to play next
  bool firstRemoved_ = false;
  std::mt19937 generator_{std::random_device{}()};
};
