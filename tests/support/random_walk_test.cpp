#include "random_walk.h"

#include <gtest/gtest.h>

namespace {

// A lock that breaks when opened twice without a close between: the walker
// must find it and cut the walk down to the two opens.
struct Lock {
  int opens = 0;
  int noise = 0;
};

walk::Walker<Lock> lockWalker() {
  return walk::Walker<Lock>(
      [] { return std::make_unique<Lock>(); },
      {{"Open", [](Lock& lock, std::mt19937&) { ++lock.opens; }},
       {"Close", [](Lock& lock, std::mt19937&) { lock.opens = 0; }},
       {"Noise", [](Lock& lock, std::mt19937& random) { lock.noise += random() % 3; }, 4}},
      {{"opened once", [](Lock& lock) -> std::optional<std::string> {
          if (lock.opens > 1) return "opened " + std::to_string(lock.opens) + " times";
          return std::nullopt;
        }}});
}

TEST(RandomWalk, ABrokenWalkShrinksToTheStepsThatBreakIt) {
  walk::Walker<Lock> walker = lockWalker();
  std::vector<walk::Step> steps;
  std::optional<walk::Walker<Lock>::Failure> failure;
  for (std::uint32_t seed = 1; !failure; ++seed) {
    steps = walker.draw(seed, 40);
    failure = walker.play(steps);
  }
  std::vector<walk::Step> shortest = walker.shrink(steps, *failure);
  ASSERT_EQ(shortest.size(), 2u);
  EXPECT_EQ(shortest[0].name, "Open");
  EXPECT_EQ(shortest[1].name, "Open");
  EXPECT_TRUE(walker.play(shortest).has_value());
}

TEST(RandomWalk, AWalkReplaysTheSameFromItsSeeds) {
  walk::Walker<Lock> walker = lockWalker();
  std::vector<walk::Step> steps = walker.draw(7, 30);
  EXPECT_EQ(walk::Walker<Lock>::describe(steps), walk::Walker<Lock>::describe(walker.draw(7, 30)));
  walker.expectReplayHolds({{"Open", 1}, {"Close", 2}, {"Open", 3}});
}

}  // namespace
