#include "twins/near_twins.h"

#include <algorithm>
#include <array>
#include <tuple>
#include <unordered_map>
#include <utility>

namespace dravelin {
namespace {

// What a group plays: its played sounds ascending, each once, the unused
// places kSwitchedOff.
using PlayedSet = std::array<PlayedId, kSoundsPerPatch>;

struct PlayedSetHash {
  std::size_t operator()(const PlayedSet& set) const {
    std::uint64_t hash = 0x84222325CBF29CE4ull;
    for (PlayedId played : set) hash = (hash ^ played) * 0x100000001B3ull;
    return static_cast<std::size_t>(hash ^ (hash >> 29));
  }
};

std::uint64_t PairKey(PlayingId a, PlayingId b) {
  if (a > b) std::swap(a, b);
  return (std::uint64_t{a} << 32) | b;
}

}  // namespace

NearTwins::NearTwins(const SoundGroups& groups) : groups_(groups), played_(groups) {
  FindPlayings();
  FindPairs();
  FindPlayAlike();
}

std::span<const PlayedId> NearTwins::played_of(PlayingId playing) const {
  const auto first = played_by_playing_.begin() + playing * kSoundsPerPatch;
  const auto end = std::find(first, first + kSoundsPerPatch, kSwitchedOff);
  return std::span<const PlayedId>(&*first, static_cast<std::size_t>(end - first));
}

bool NearTwins::HoldsComparePatch(PlayingId playing) const {
  // Groups that hold a Compare patch are numbered before all others.
  return groups_.HoldsComparePatch(groups_of(playing).front());
}

void NearTwins::FindPlayings() {
  const std::size_t group_count = groups_.group_count();
  const PatchNumbers& numbers = groups_.numbers();
  // (played set, switched-off slot or not) -> playing
  std::unordered_map<PlayedSet, std::array<PlayingId, 2>, PlayedSetHash> playing_with;
  playing_of_group_.reserve(group_count);
  for (GroupId group = 0; group < group_count; ++group) {
    const NumberedPatch& first = numbers.patches[groups_.members(group).front()];
    PlayedSet set;
    set.fill(kSwitchedOff);
    bool switched_off = false;
    std::size_t count = 0;
    for (std::uint32_t block : first.sounds) {
      const PlayedId played = played_.played_of_block(block);
      if (played == kSwitchedOff) {
        switched_off = true;
      } else if (std::find(set.begin(), set.begin() + count, played) == set.begin() + count) {
        set[count++] = played;
      }
    }
    // Ascending; the unused places (kSwitchedOff) stay last.
    for (std::size_t k = 1; k < count; ++k) {
      for (std::size_t j = k; j > 0 && set[j - 1] > set[j]; --j) std::swap(set[j - 1], set[j]);
    }
    auto entry =
        playing_with.try_emplace(set, std::array<PlayingId, 2>{kNoPlaying, kNoPlaying}).first;
    PlayingId& playing = entry->second[switched_off ? 1 : 0];
    if (playing == kNoPlaying) {
      playing = static_cast<PlayingId>(has_switched_off_.size());
      has_switched_off_.push_back(switched_off ? 1 : 0);
      played_by_playing_.insert(played_by_playing_.end(), set.begin(), set.end());
    }
    playing_of_group_.push_back(playing);
  }
  same_sounds_.assign(has_switched_off_.size(), kNoPlaying);
  for (const auto& [set, playings] : playing_with) {
    if (playings[0] != kNoPlaying && playings[1] != kNoPlaying) {
      same_sounds_[playings[0]] = playings[1];
      same_sounds_[playings[1]] = playings[0];
    }
  }
  groups_of_ = PostingLists(has_switched_off_.size(), [&](auto add) {
    for (GroupId group = 0; group < group_count; ++group) add(playing_of_group_[group], group);
  });
}

Pairing NearTwins::Pair(PlayingId a, PlayingId b) const {
  const std::span<const PlayedId> a_played = played_of(a);
  const std::span<const PlayedId> b_played = played_of(b);
  PairingSide first{{a_played.begin(), a_played.end()}, has_switched_off(a)};
  PairingSide second{{b_played.begin(), b_played.end()}, has_switched_off(b)};
  return PairSounds(first, second,
                    [this](PlayedId x, PlayedId y) { return played_.Distance(x, y); });
}

void NearTwins::FindPairs() {
  const std::size_t playing_count = has_switched_off_.size();
  // The playings that play each sound, and the one that plays a set of
  // sounds and has a switched-off slot.
  const PostingLists playings_with(played_.played_count(), [&](auto add) {
    for (PlayingId playing = 0; playing < playing_count; ++playing) {
      for (PlayedId played : played_of(playing)) add(played, playing);
    }
  });
  std::unordered_map<PlayedSet, PlayingId, PlayedSetHash> lending;
  for (PlayingId playing = 0; playing < playing_count; ++playing) {
    if (!has_switched_off(playing)) continue;
    PlayedSet set;
    set.fill(kSwitchedOff);
    const std::span<const PlayedId> played = played_of(playing);
    std::copy(played.begin(), played.end(), set.begin());
    lending.emplace(set, playing);
  }

  std::vector<std::uint64_t> candidates;
  // A sound of one near a sound of the other.
  for (const NearSoundPair& near : played_.near_pairs()) {
    for (Ordinal a : playings_with.List(near.first)) {
      for (Ordinal b : playings_with.List(near.second)) {
        if (a != b) candidates.push_back(PairKey(a, b));
      }
    }
  }
  // Some of the sounds of one, the other's switched-off slot lent for the rest.
  for (PlayingId playing = 0; playing < playing_count; ++playing) {
    const std::span<const PlayedId> played = played_of(playing);
    const unsigned all = (1u << played.size()) - 1;
    for (unsigned some = 1; some < all; ++some) {
      PlayedSet set;
      set.fill(kSwitchedOff);
      std::size_t count = 0;
      for (std::size_t k = 0; k < played.size(); ++k) {
        if ((some >> k) & 1u) set[count++] = played[k];
      }
      const auto found = lending.find(set);
      if (found != lending.end()) candidates.push_back(PairKey(playing, found->second));
    }
  }
  std::sort(candidates.begin(), candidates.end());
  candidates.erase(std::unique(candidates.begin(), candidates.end()), candidates.end());

  for (std::uint64_t key : candidates) {
    const auto a = static_cast<PlayingId>(key >> 32);
    const auto b = static_cast<PlayingId>(key & 0xFFFFFFFFu);
    if (!HoldsComparePatch(a) && !HoldsComparePatch(b)) continue;
    const std::span<const PlayedId> a_played = played_of(a);
    const std::span<const PlayedId> b_played = played_of(b);
    // The same sounds: they play alike (FindPlayAlike).
    if (std::equal(a_played.begin(), a_played.end(), b_played.begin(), b_played.end())) continue;
    Pairing pairing = Pair(a, b);
    if (pairing.cost > kMostDifferences) continue;
    pairs_.push_back({a, b, pairing.cost, std::move(pairing.matches)});
  }
  std::sort(pairs_.begin(), pairs_.end(), [](const NearTwinPair& x, const NearTwinPair& y) {
    return std::tuple(x.differences, x.first, x.second) <
           std::tuple(y.differences, y.first, y.second);
  });
}

void NearTwins::FindPlayAlike() {
  for (PlayingId playing = 0; playing < has_switched_off_.size(); ++playing) {
    const PlayingId other = same_sounds_[playing];
    // Listed with the first of the two.
    if ((other != kNoPlaying && other < playing) || played_of(playing).empty()) continue;
    std::vector<GroupId> alike(groups_of(playing).begin(), groups_of(playing).end());
    if (other != kNoPlaying) {
      alike.insert(alike.end(), groups_of(other).begin(), groups_of(other).end());
      std::inplace_merge(alike.begin(),
                         alike.begin() + static_cast<std::ptrdiff_t>(groups_of(playing).size()),
                         alike.end());
    }
    if (alike.size() >= 2 && groups_.HoldsComparePatch(alike.front())) {
      play_alike_.push_back(std::move(alike));
    }
  }
}

}  // namespace dravelin
