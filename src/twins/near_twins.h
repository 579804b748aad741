// The near twins of a collection: pairs of sound groups whose sounds are not
// identical but differ in at most kMostDifferences parameters, as
// sound_pairing.h pairs and counts them.
//
// All members of a sound group hold the same sound blocks, so near twins are
// found between groups, and between what groups play: groups whose played
// sounds are the same and that have a switched-off slot or not alike (one
// "playing") are near twins of the same groups. Groups of the same played
// sounds play alike (they differ only in spare bits, in switched-off
// sounds' left-over data or in whether a sound is repeated or switched off
// beside the others) and are listed together rather than paired.
//
// Pairs are found without judging every pair of groups: two playings can be
// near only when one plays a sound near a sound of the other (a near pair
// of PlayedSounds), or when the sounds one plays are some of the sounds of
// the other and it has a switched-off slot to lend the rest; only those are
// paired (PairSounds). Pairs and classes in which no group holds a Compare
// patch are left out: Base patches are never held against each other.

#ifndef DRAVELIN_TWINS_NEAR_TWINS_H_
#define DRAVELIN_TWINS_NEAR_TWINS_H_

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "collection/sound_groups.h"
#include "compare/posting_lists.h"
#include "twins/played_sounds.h"
#include "twins/sound_pairing.h"

namespace dravelin {

using PlayingId = std::uint32_t;
inline constexpr PlayingId kNoPlaying = ~PlayingId{0};

struct NearTwinPair {
  PlayingId first = 0;  // first < second
  PlayingId second = 0;
  int differences = 0;  // 1 to kMostDifferences
  // The pairs of sounds that differ, in the order of the first's sounds.
  std::vector<SoundMatch> matches;
};

class NearTwins {
 public:
  // `groups` must outlive this.
  explicit NearTwins(const SoundGroups& groups);

  NearTwins(const NearTwins&) = delete;
  NearTwins& operator=(const NearTwins&) = delete;

  const SoundGroups& groups() const { return groups_; }
  const PlayedSounds& played() const { return played_; }

  // --- Playings, numbered from 0 in the order of their first group.
  std::size_t playing_count() const { return has_switched_off_.size(); }
  PlayingId playing_of(GroupId group) const { return playing_of_group_[group]; }
  // Its groups, ascending.
  std::span<const Ordinal> groups_of(PlayingId playing) const { return groups_of_.List(playing); }
  // The sounds it plays, ascending, each once; empty for groups whose every
  // sound is switched off.
  std::span<const PlayedId> played_of(PlayingId playing) const;
  bool has_switched_off(PlayingId playing) const { return has_switched_off_[playing] != 0; }
  // Whether one of its groups holds a Compare patch.
  bool HoldsComparePatch(PlayingId playing) const;

  // Every pair of playings within kMostDifferences of each other, of which
  // at least one holds a Compare patch, ordered by differences, then by
  // first and second.
  const std::vector<NearTwinPair>& pairs() const { return pairs_; }

  // The groups of each set of two or more groups that play the same sounds
  // (in one playing or in the two that differ in their switched-off slot),
  // ascending, sets in the order of their first group; sets without a
  // Compare patch, and groups that play nothing, are left out.
  const std::vector<std::vector<GroupId>>& play_alike() const { return play_alike_; }

 private:
  void FindPlayings();
  void FindPairs();
  void FindPlayAlike();
  Pairing Pair(PlayingId a, PlayingId b) const;

  const SoundGroups& groups_;
  PlayedSounds played_;
  std::vector<PlayingId> playing_of_group_;   // by group
  PostingLists groups_of_;                    // list p: the groups of playing p
  std::vector<PlayedId> played_by_playing_;   // kSoundsPerPatch per playing, kSwitchedOff unused
  std::vector<std::uint8_t> has_switched_off_;  // by playing
  // By playing: the playing of the same sounds that differs in having a
  // switched-off slot, or kNoPlaying.
  std::vector<PlayingId> same_sounds_;
  std::vector<NearTwinPair> pairs_;
  std::vector<std::vector<GroupId>> play_alike_;
};

}  // namespace dravelin

#endif  // DRAVELIN_TWINS_NEAR_TWINS_H_
