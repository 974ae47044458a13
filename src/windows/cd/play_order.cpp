#include "windows/cd/play_order.h"

#include <QStringList>
#include <algorithm>
#include <chrono>

namespace {

template <typename Entries>
QString joined(const Entries& entries, int count) {
  QStringList numbers;
  for (int slot = 1; slot <= count; ++slot)
    numbers << QString::number(entries[static_cast<std::size_t>(slot)]);
  return numbers.join(", ");
}

}  // namespace

int PlayOrder::tickedFrom(const Ticks& ticks, int from, int step) {
  for (int n = from; n >= 1 && n <= kMaxSelected; n += step)
    if (ticks[static_cast<std::size_t>(n)]) return n;
  return 0;
}

void PlayOrder::shuffle(int trackCount) {
  std::array<int, 101> pool{};
  for (int i = 1; i <= trackCount; ++i) pool[static_cast<std::size_t>(i)] = i;
  generator_.seed(
      static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count()));
  int slot = 1;
  for (int m = trackCount; m >= 1; --m) {
    const int j = std::uniform_int_distribution<int>(1, m)(generator_);
    random_[static_cast<std::size_t>(slot++)] = pool[static_cast<std::size_t>(j)];
    pool[static_cast<std::size_t>(j)] = pool[static_cast<std::size_t>(m)];
  }
  randomIndex_ = 1;
  randomText_ = "Random Track selection is as follows:-\r\r" + joined(random_, trackCount);
}

int PlayOrder::nextRandom(int trackCount, bool previous) {
  if (previous) randomIndex_ = std::max(randomIndex_ - 2, 1);
  if (randomIndex_ <= trackCount) return random_[static_cast<std::size_t>(randomIndex_++)];
  // Used up: a track must not play twice in a row across two permutations.
  const int justPlayed = random_[static_cast<std::size_t>(trackCount)];
  do shuffle(trackCount);
  while (trackCount > 1 && random_[1] == justPlayed);
  randomIndex_ = 2;
  return random_[1];
}

void PlayOrder::clearSelected() {
  selected_.fill(0);
  count_ = 0;
}

void PlayOrder::tick(int track, bool playing) {
  if (!playing) index_ = 1;
  // A full order ignores further ticks.
  if (count_ < kMaxSelected) selected_[static_cast<std::size_t>(++count_)] = track;
}

void PlayOrder::untick(int track, bool playing) {
  if (!playing) index_ = 1;
  const auto found = std::find(selected_.begin() + 1, selected_.begin() + count_ + 1, track);
  if (found == selected_.begin() + count_ + 1) return;
  const int slot = static_cast<int>(found - selected_.begin());
  std::move(found + 1, selected_.end(), found);
  selected_.back() = 0;
  --count_;
  firstRemoved_ = slot == 1;
  // Only a slot before the one to play next moves it; a later one has not played yet.
  if (slot < index_) index_ = std::max(index_ - 1, 1);
}

QString PlayOrder::selectedText() const {
  return "You have chosen Tracks in the following order:-\r\r" + joined(selected_, count_);
}

int PlayOrder::firstSelected() {
  index_ = 2;
  return selected_[1];
}

int PlayOrder::nextSelected() {
  if (index_ < 1 || index_ > count_) return 0;
  return selected_[static_cast<std::size_t>(index_++)];
}

void PlayOrder::prepareNext(bool playing) {
  if (playing && !firstRemoved_ && index_ == 1) index_ = 2;
  index_ = std::min(index_, count_);
}

void PlayOrder::preparePrevious() { index_ = std::max(index_ - 2, 1); }
