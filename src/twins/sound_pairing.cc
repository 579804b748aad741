#include "twins/sound_pairing.h"

#include <algorithm>
#include <array>

namespace dravelin {
namespace {

constexpr std::size_t kMaxSounds = kSoundsPerPatch;
constexpr unsigned kMasks = 1u << kMaxSounds;
// A sound's choice that pairs it with a switched-off slot of the other side.
constexpr unsigned kChoseSwitchedOff = kMasks;

struct Cover {
  int cost = kFar;
  // By each sound of the lending-to side: the set of the other side's sounds
  // it pairs with, or kChoseSwitchedOff.
  std::array<unsigned, kMaxSounds> choices{};
};

// The cheapest pairing in which only `to` may lend switched-off slots: each
// sound of `from` pairs with a set of the sounds of `to` (or, when `to` has
// one, with a switched-off slot), and together they pair every sound of
// `to`. Costs past kMostDifferences are never followed.
Cover CheapestCover(const PairingSide& from, const PairingSide& to,
                    const std::array<std::array<int, kMaxSounds>, kMaxSounds>& cost) {
  const std::size_t n = from.played.size();
  const std::size_t m = to.played.size();
  const unsigned all = (1u << m) - 1;
  // best[k][covered]: the least cost for the first k sounds of `from`
  // having paired the sounds of `to` in `covered`; how[k][covered] the
  // choice of sound k - 1 and the set covered before it.
  std::array<std::array<int, kMasks>, kMaxSounds + 1> best;
  std::array<std::array<std::pair<unsigned, unsigned>, kMasks>, kMaxSounds + 1> how{};
  for (auto& row : best) row.fill(kFar);
  best[0][0] = 0;
  for (std::size_t k = 0; k < n; ++k) {
    for (unsigned covered = 0; covered <= all; ++covered) {
      const int so_far = best[k][covered];
      if (so_far >= kFar) continue;
      if (to.has_switched_off && so_far + 1 < best[k + 1][covered]) {
        best[k + 1][covered] = so_far + 1;
        how[k + 1][covered] = {kChoseSwitchedOff, covered};
      }
      for (unsigned chosen = 1; chosen <= all; ++chosen) {
        int total = so_far;
        for (std::size_t j = 0; j < m && total < kFar; ++j) {
          if ((chosen >> j) & 1u) total += cost[k][j];
        }
        if (total >= kFar) continue;
        if (total < best[k + 1][covered | chosen]) {
          best[k + 1][covered | chosen] = total;
          how[k + 1][covered | chosen] = {chosen, covered};
        }
      }
    }
  }
  Cover cover;
  cover.cost = best[n][all];
  if (cover.cost >= kFar) return cover;
  unsigned covered = all;
  for (std::size_t k = n; k > 0; --k) {
    cover.choices[k - 1] = how[k][covered].first;
    covered = how[k][covered].second;
  }
  return cover;
}

}  // namespace

Pairing PairSounds(const PairingSide& first, const PairingSide& second,
                   const PairDistance& distance) {
  Pairing pairing;
  const std::size_t n = first.played.size();
  const std::size_t m = second.played.size();
  if (n == 0 || m == 0 || n > kMaxSounds || m > kMaxSounds) return pairing;
  std::array<std::array<int, kMaxSounds>, kMaxSounds> forward{};
  std::array<std::array<int, kMaxSounds>, kMaxSounds> backward{};
  for (std::size_t i = 0; i < n; ++i) {
    for (std::size_t j = 0; j < m; ++j) {
      forward[i][j] = std::min(distance(first.played[i], second.played[j]), kFar);
      backward[j][i] = forward[i][j];
    }
  }
  // Switched-off slots lent by the second side, or by the first.
  const Cover lent_by_second = CheapestCover(first, second, forward);
  const Cover lent_by_first = CheapestCover(second, first, backward);
  if (lent_by_second.cost >= kFar && lent_by_first.cost >= kFar) return pairing;
  const bool by_second = lent_by_second.cost <= lent_by_first.cost;
  const Cover& cover = by_second ? lent_by_second : lent_by_first;
  pairing.cost = cover.cost;
  // The pairs that cost something, by the first side's sounds.
  const auto add = [&](PlayedId a, PlayedId b) {
    if (a == b) return;
    for (const SoundMatch& match : pairing.matches) {
      if (match.first == a && match.second == b) return;
    }
    pairing.matches.push_back({a, b});
  };
  const PairingSide& from = by_second ? first : second;
  const PairingSide& to = by_second ? second : first;
  std::vector<SoundMatch> found;
  for (std::size_t k = 0; k < from.played.size(); ++k) {
    const unsigned choice = cover.choices[k];
    if (choice == kChoseSwitchedOff) {
      found.push_back(by_second ? SoundMatch{from.played[k], kSwitchedOff}
                                : SoundMatch{kSwitchedOff, from.played[k]});
      continue;
    }
    for (std::size_t j = 0; j < to.played.size(); ++j) {
      if (((choice >> j) & 1u) == 0) continue;
      found.push_back(by_second ? SoundMatch{from.played[k], to.played[j]}
                                : SoundMatch{to.played[j], from.played[k]});
    }
  }
  // In the order of the first side's sounds, its switched-off slot last.
  const auto rank = [&](PlayedId played) {
    const auto at = std::find(first.played.begin(), first.played.end(), played);
    return static_cast<std::size_t>(at - first.played.begin());
  };
  std::stable_sort(found.begin(), found.end(), [&](const SoundMatch& x, const SoundMatch& y) {
    return rank(x.first) < rank(y.first);
  });
  for (const SoundMatch& match : found) add(match.first, match.second);
  return pairing;
}

}  // namespace dravelin
