#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

// Seeded random walks through a window set: what a person can do, chosen at
// random, with the invariants checked after every step. A walk that breaks an
// invariant is cut down to the shortest sequence that still breaks it, and
// printed as steps a regression test can replay with `replayWalk`.
//
// A World is built fresh for every walk; each step acts on it, drawing what
// it needs (a line, a number, an answer) from the random source it is given,
// so a step replays the same from its seed alone.
namespace walk {

template <class World>
struct Action {
  std::string name;
  std::function<void(World&, std::mt19937&)> act;
  int weight = 1;
};

// An invariant answers what it found wrong, or nothing.
template <class World>
using Invariant = std::function<std::optional<std::string>(World&)>;

struct Step {
  std::string name;
  std::uint32_t seed;
};

struct Budget {
  int walks;
  int steps;
};

// CI's fixed budget unless CORVELA_WALKS (and CORVELA_WALK_STEPS) ask for
// more; CORVELA_WALK_SEED starts the seeds elsewhere.
inline Budget budget(int walks, int steps) {
  auto number = [](const char* name, int fallback) {
    const char* value = std::getenv(name);
    return value ? std::atoi(value) : fallback;
  };
  return {number("CORVELA_WALKS", walks), number("CORVELA_WALK_STEPS", steps)};
}

inline std::uint32_t firstSeed() {
  const char* value = std::getenv("CORVELA_WALK_SEED");
  return value ? static_cast<std::uint32_t>(std::strtoul(value, nullptr, 10)) : 1;
}

template <class World>
class Walker {
 public:
  Walker(std::function<std::unique_ptr<World>()> makeWorld, std::vector<Action<World>> actions,
         std::vector<std::pair<std::string, Invariant<World>>> invariants)
      : makeWorld_(std::move(makeWorld)),
        actions_(std::move(actions)),
        invariants_(std::move(invariants)) {}

  // The steps of one walk, drawn from its seed by the actions' weights.
  std::vector<Step> draw(std::uint32_t seed, int length) const {
    std::mt19937 random(seed);
    std::vector<int> weights;
    for (const Action<World>& action : actions_) weights.push_back(action.weight);
    std::discrete_distribution<int> choose(weights.begin(), weights.end());
    std::vector<Step> steps;
    for (int i = 0; i < length; ++i) {
      const int index = choose(random);
      steps.push_back({actions_[index].name, static_cast<std::uint32_t>(random())});
    }
    return steps;
  }

  // Plays the steps on a fresh world; the first broken invariant, with the
  // number of steps played when it broke.
  struct Failure {
    std::size_t at;
    std::string what;
  };
  std::optional<Failure> play(const std::vector<Step>& steps) const {
    std::unique_ptr<World> world = makeWorld_();
    if (auto broken = check(*world)) return Failure{0, *broken};
    for (std::size_t i = 0; i < steps.size(); ++i) {
      std::mt19937 random(steps[i].seed);
      action(steps[i].name).act(*world, random);
      if (auto broken = check(*world)) return Failure{i + 1, *broken};
    }
    return std::nullopt;
  }

  // The shortest sequence found that still breaks the same invariant: the
  // walk is cut after its failure, then chunks and single steps are left out
  // while it still fails.
  std::vector<Step> shrink(std::vector<Step> steps, const Failure& failure) const {
    steps.resize(failure.at);
    const std::string name = invariantName(failure.what);
    auto stillFails = [&](const std::vector<Step>& candidate) {
      auto found = play(candidate);
      return found && invariantName(found->what) == name;
    };
    for (std::size_t chunk = steps.size() / 2; chunk >= 1; chunk /= 2) {
      for (std::size_t start = 0; start + chunk <= steps.size();) {
        std::vector<Step> candidate(steps.begin(), steps.begin() + start);
        candidate.insert(candidate.end(), steps.begin() + start + chunk, steps.end());
        if (stillFails(candidate))
          steps = std::move(candidate);
        else
          start += chunk;
      }
    }
    return steps;
  }

  // Runs the budget's walks, reporting each broken one once, shrunk.
  void expectHolds(Budget budget) const {
    const std::uint32_t first = firstSeed();
    for (int n = 0; n < budget.walks; ++n) {
      const std::uint32_t seed = first + static_cast<std::uint32_t>(n);
      std::vector<Step> steps = draw(seed, budget.steps);
      auto failure = play(steps);
      if (!failure) continue;
      std::vector<Step> shortest = shrink(steps, *failure);
      ADD_FAILURE() << "walk " << seed << " broke: " << failure->what << " after " << failure->at
                    << " steps; the shortest that still breaks it:\n"
                    << describe(shortest);
      return;
    }
  }

  // A found sequence, replayed as a regression test.
  void expectReplayHolds(const std::vector<Step>& steps) const {
    if (auto failure = play(steps))
      ADD_FAILURE() << "broke: " << failure->what << " after " << failure->at << " steps";
  }

  static std::string describe(const std::vector<Step>& steps) {
    std::string text = "  {";
    for (const Step& step : steps)
      text += "{\"" + step.name + "\", " + std::to_string(step.seed) + "}, ";
    return text + "}";
  }

 private:
  const Action<World>& action(const std::string& name) const {
    for (const Action<World>& candidate : actions_)
      if (candidate.name == name) return candidate;
    throw std::invalid_argument("no action named " + name);
  }

  std::optional<std::string> check(World& world) const {
    for (const auto& [name, invariant] : invariants_)
      if (auto wrong = invariant(world)) return name + ": " + *wrong;
    return std::nullopt;
  }

  static std::string invariantName(const std::string& what) {
    return what.substr(0, what.find(':'));
  }

  std::function<std::unique_ptr<World>()> makeWorld_;
  std::vector<Action<World>> actions_;
  std::vector<std::pair<std::string, Invariant<World>>> invariants_;
};

}  // namespace walk
