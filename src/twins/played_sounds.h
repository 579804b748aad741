// What each distinct sound of a collection plays, and which of them differ
// in a few parameters.
//
// A sound plays what its parameters say: two sound blocks play alike when
// every parameter field of their kind holds the same value, whatever their
// spare bits. A switched-off sound plays nothing, and all switched-off
// sounds are alike, whatever their left-over data. So every distinct block
// of a collection is either switched off or one "played sound", numbered
// from 0 in the order the groups first hold it.
//
// The distance of two played sounds is the number of parameter fields
// whose values differ (spares never count); sounds of two kinds (keyboard,
// drum) are never near. The pairs of played sounds within kMostDifferences
// are found without comparing every pair: each sound's parameter fields are
// dealt into kChunks chunks, every kChunks-th field to one chunk, and two
// sounds that differ in at most kMostDifferences fields agree on a whole
// chunk (kChunks > kMostDifferences), so only sounds that share a chunk's
// values are compared.

#ifndef DRAVELIN_TWINS_PLAYED_SOUNDS_H_
#define DRAVELIN_TWINS_PLAYED_SOUNDS_H_

#include <cstddef>
#include <cstdint>
#include <limits>
#include <unordered_map>
#include <vector>

#include "banks/patch.h"
#include "collection/sound_groups.h"
#include "params/sound_fields.h"

namespace dravelin {

using PlayedId = std::uint32_t;

// The "played sound" of every switched-off block.
inline constexpr PlayedId kSwitchedOff = std::numeric_limits<PlayedId>::max();

// Near twins differ in at most this many parameters.
inline constexpr int kMostDifferences = 3;
// Stands for any distance past kMostDifferences.
inline constexpr int kFar = kMostDifferences + 1;

struct NearSoundPair {
  PlayedId first = 0;  // first < second
  PlayedId second = 0;
  int distance = 0;  // 1 to kMostDifferences
};

class PlayedSounds {
 public:
  static constexpr std::size_t kChunks = kMostDifferences + 1;

  // Numbers the played sounds of every block the groups hold, then finds
  // the near pairs. `groups` must outlive this.
  explicit PlayedSounds(const SoundGroups& groups);

  PlayedSounds(const PlayedSounds&) = delete;
  PlayedSounds& operator=(const PlayedSounds&) = delete;

  // What the block numbered `block` (PatchNumbers' numbering) plays.
  PlayedId played_of_block(std::uint32_t block) const { return played_of_block_[block]; }
  std::size_t played_count() const { return masked_.size(); }
  params::SoundKind kind(PlayedId played) const { return kinds_[played]; }

  // The number of parameters in which `a` and `b` differ: 0 for the same
  // played sound, 1 for a played sound against kSwitchedOff (its Enable),
  // kFar for two that differ in more than kMostDifferences or are of two
  // kinds. Found in the near pairs, never by comparing fields.
  int Distance(PlayedId a, PlayedId b) const;

  // Every pair within kMostDifferences, ordered by first, then second.
  const std::vector<NearSoundPair>& near_pairs() const { return near_pairs_; }

  // The parameters in which two played sounds differ, counted field by
  // field up to `limit` (past it, limit + 1): what Distance knows for
  // the pairs it was given, for any two.
  int CountDifferences(PlayedId a, PlayedId b, int limit) const;

 private:
  void NumberPlayedSounds(const SoundGroups& groups);
  void FindNearPairs();

  std::vector<PlayedId> played_of_block_;  // by block number
  // By played id: the block with its spare bits cleared, and its kind.
  std::vector<SoundBlock> masked_;
  std::vector<params::SoundKind> kinds_;
  std::vector<NearSoundPair> near_pairs_;
  // (first << 32 | second), first < second: the pair's distance.
  std::unordered_map<std::uint64_t, std::uint8_t> distance_of_pair_;
};

}  // namespace dravelin

#endif  // DRAVELIN_TWINS_PLAYED_SOUNDS_H_
