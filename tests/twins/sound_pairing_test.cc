// How two patches' sounds are paired and counted, on sounds whose distances
// are given outright: identity, edits, sounds paired with several, and
// switched-off slots lent by one side only.

#include "twins/sound_pairing.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace dravelin {
namespace {

constexpr PlayedId kOff = kSwitchedOff;

struct Case {
  const char* what;
  PairingSide first;
  PairingSide second;
  // Distances between different sounds that are near; any other pair of
  // different sounds is far.
  std::map<std::pair<PlayedId, PlayedId>, int> near;
  int cost;
  std::vector<std::pair<PlayedId, PlayedId>> matches;
};

TEST(SoundPairingTest, TakesTheCheapestPairingOfEverySoundPlayed) {
  const Case cases[] = {
      {"one sound edited", {{0}, false}, {{1}, false}, {{{0, 1}, 1}}, 1, {{0, 1}}},
      {"a shared sound costs nothing", {{0, 1}, false}, {{0, 2}, false}, {{{1, 2}, 2}}, 2,
       {{1, 2}}},
      {"the same sounds in other slots and repeats", {{3, 5}, false}, {{3, 5}, true}, {}, 0, {}},
      {"a sound with no near partner", {{0, 1}, false}, {{0}, false}, {}, kFar, {}},
      {"switched off in the second", {{0, 1}, false}, {{0}, true}, {}, 1, {{1, kOff}}},
      {"switched off in the first", {{0}, true}, {{0, 1}, false}, {}, 1, {{kOff, 1}}},
      {"three switched off", {{0, 1, 2, 3}, false}, {{0}, true}, {}, 3,
       {{1, kOff}, {2, kOff}, {3, kOff}}},
      {"four differences are too many", {{0, 1, 2, 3}, false}, {{4}, true}, {{{0, 4}, 1}}, kFar,
       {}},
      {"never switched off on both sides", {{0}, true}, {{1}, true}, {}, kFar, {}},
      {"a swap of layers is no near twin", {{0, 1}, true}, {{0, 2}, true}, {}, kFar, {}},
      {"an edit where both lend slots", {{0, 1}, true}, {{0, 2}, true}, {{{1, 2}, 3}}, 3, {{1, 2}}},
      {"an edit rather than switching off", {{0, 1}, false}, {{0, 2}, true}, {{{1, 2}, 1}}, 1,
       {{1, 2}}},
      {"one sound paired with two", {{0}, false}, {{1, 2}, false}, {{{0, 1}, 1}, {{0, 2}, 1}}, 2,
       {{0, 1}, {0, 2}}},
      {"two sounds paired with one", {{0, 1}, false}, {{2}, false}, {{{0, 2}, 1}, {{1, 2}, 2}}, 3,
       {{0, 2}, {1, 2}}},
      {"the cheaper of two partners", {{0}, false}, {{1, 2}, false},
       {{{0, 1}, 3}, {{0, 2}, 1}, {{1, 2}, 1}}, kFar, {}},
      {"a far pair beside a near one", {{0, 5}, false}, {{1, 5}, false}, {{{0, 1}, 2}, {{0, 5}, 1}},
       2, {{0, 1}}},
      {"a side that plays nothing", {{}, true}, {{0}, true}, {}, kFar, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const auto distance = [&c](PlayedId a, PlayedId b) {
      if (a == b) return 0;
      const auto found = c.near.find(std::pair(std::min(a, b), std::max(a, b)));
      return found == c.near.end() ? kFar + 5 : found->second;
    };
    const Pairing pairing = PairSounds(c.first, c.second, distance);
    EXPECT_EQ(pairing.cost, c.cost);
    std::vector<std::pair<PlayedId, PlayedId>> matches;
    int total = 0;
    for (const SoundMatch& match : pairing.matches) {
      matches.emplace_back(match.first, match.second);
      total += match.first == kOff || match.second == kOff ? 1 : distance(match.first, match.second);
    }
    EXPECT_EQ(matches, c.matches);
    // What the pairs name adds up to the count.
    if (c.cost <= kMostDifferences) {
      EXPECT_EQ(total, c.cost);
    }
  }
}

// Swapping the two sides gives the same count, the pairs turned round.
TEST(SoundPairingTest, IsSymmetric) {
  const std::map<std::pair<PlayedId, PlayedId>, int> near = {
      {{0, 1}, 1}, {{1, 2}, 2}, {{2, 3}, 1}, {{0, 3}, 3}, {{1, 4}, 1}};
  const auto distance = [&near](PlayedId a, PlayedId b) {
    if (a == b) return 0;
    const auto found = near.find(std::pair(std::min(a, b), std::max(a, b)));
    return found == near.end() ? kFar : found->second;
  };
  const std::vector<std::vector<PlayedId>> sets = {{0}, {1}, {0, 1}, {2, 3}, {0, 4}, {1, 2, 3},
                                                   {0, 1, 2, 3}, {4}};
  for (const std::vector<PlayedId>& a : sets) {
    for (const std::vector<PlayedId>& b : sets) {
      for (int lends = 0; lends < 4; ++lends) {
        const PairingSide first{a, (lends & 1) != 0};
        const PairingSide second{b, (lends & 2) != 0};
        const Pairing forward = PairSounds(first, second, distance);
        const Pairing backward = PairSounds(second, first, distance);
        ASSERT_EQ(forward.cost, backward.cost) << ::testing::PrintToString(a) << " "
                                               << ::testing::PrintToString(b) << " " << lends;
      }
    }
  }
}

}  // namespace
}  // namespace dravelin
