#include "twins/played_sounds.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <span>
#include <utility>

#include "compare/sound_block_table.h"
#include "params/field_layout.h"

namespace dravelin {
namespace {

using params::FieldKind;
using params::FieldLayout;
using params::SoundKind;

// Where a kind's parameter fields lie.
struct KindMasks {
  SoundBlock parameters{};  // the bits of every parameter field
  std::array<SoundBlock, PlayedSounds::kChunks> chunks{};
  std::vector<params::BitRange> fields;
};

void SetBits(SoundBlock& mask, params::BitRange bits) {
  for (unsigned bit = bits.first; bit < bits.end(); ++bit) {
    mask[bit / 8] = static_cast<std::uint8_t>(mask[bit / 8] | (1u << (bit % 8)));
  }
}

KindMasks MakeMasks(SoundKind kind) {
  KindMasks masks;
  std::size_t dealt = 0;
  for (const FieldLayout& field : params::SoundFields(kind)) {
    if (field.kind == FieldKind::kSpare) continue;
    SetBits(masks.parameters, field.bits);
    SetBits(masks.chunks[dealt++ % PlayedSounds::kChunks], field.bits);
    masks.fields.push_back(field.bits);
  }
  return masks;
}

const KindMasks& MasksOf(SoundKind kind) {
  static const std::array<KindMasks, 2> kMasks = {MakeMasks(SoundKind::kKeyboard),
                                                  MakeMasks(SoundKind::kDrum)};
  return kMasks[kind == SoundKind::kDrum ? 1 : 0];
}

SoundBlock And(const SoundBlock& a, const SoundBlock& b) {
  SoundBlock out;
  for (std::size_t i = 0; i < out.size(); ++i) out[i] = static_cast<std::uint8_t>(a[i] & b[i]);
  return out;
}

bool AgreeWithin(const SoundBlock& a, const SoundBlock& b, const SoundBlock& mask) {
  for (std::size_t i = 0; i < mask.size(); ++i) {
    if (((a[i] ^ b[i]) & mask[i]) != 0) return false;
  }
  return true;
}

// A hash of the bits of `block` within `mask`, seeded with what else the
// key holds.
std::uint64_t HashWithin(const SoundBlock& block, const SoundBlock& mask, std::uint64_t seed) {
  std::uint64_t hash = seed * 0x9E3779B97F4A7C15ull + 0x632BE59BD9B4E019ull;
  for (std::size_t at = 0; at < block.size(); at += 8) {
    std::array<std::uint8_t, 8> bytes{};
    const std::size_t take = std::min<std::size_t>(8, block.size() - at);
    for (std::size_t i = 0; i < take; ++i) {
      bytes[i] = static_cast<std::uint8_t>(block[at + i] & mask[at + i]);
    }
    std::uint64_t word = 0;
    std::memcpy(&word, bytes.data(), bytes.size());
    hash = (hash ^ word) * 0xFF51AFD7ED558CCDull;
    hash ^= hash >> 32;
  }
  return hash;
}

std::uint64_t PairKey(PlayedId a, PlayedId b) {
  if (a > b) std::swap(a, b);
  return (std::uint64_t{a} << 32) | b;
}

}  // namespace

PlayedSounds::PlayedSounds(const SoundGroups& groups) {
  NumberPlayedSounds(groups);
  FindNearPairs();
}

void PlayedSounds::NumberPlayedSounds(const SoundGroups& groups) {
  constexpr PlayedId kUnseen = kSwitchedOff - 1;
  const PatchNumbers& numbers = groups.numbers();
  played_of_block_.assign(numbers.block_count, kUnseen);
  // The table keeps pointers into masked_, which therefore never grows
  // past what it reserved here.
  masked_.reserve(numbers.block_count);
  SoundBlockTable table(numbers.block_count);
  // Every block of a group is among the sounds of its first member.
  for (GroupId group = 0; group < groups.group_count(); ++group) {
    const Ordinal first = groups.members(group).front();
    const Patch& patch = *groups.patches()[first].patch;
    for (std::size_t slot = 0; slot < kSoundsPerPatch; ++slot) {
      const std::uint32_t block = numbers.patches[first].sounds[slot];
      if (played_of_block_[block] != kUnseen) continue;
      const SoundBlock& sound = patch.sounds[slot];
      if (!params::IsSoundEnabled(sound)) {
        played_of_block_[block] = kSwitchedOff;
        continue;
      }
      const SoundKind kind = params::KindOfSound(sound);
      const SoundBlock masked = And(sound, MasksOf(kind).parameters);
      BlockId played = table.Find(masked);
      if (played == kNoBlock) {
        masked_.push_back(masked);
        kinds_.push_back(kind);
        played = table.Intern(masked_.back());
      }
      played_of_block_[block] = played;
    }
  }
}

void PlayedSounds::FindNearPairs() {
  const auto count = static_cast<PlayedId>(masked_.size());
  std::vector<std::pair<std::uint64_t, PlayedId>> keys(count);
  for (std::size_t chunk = 0; chunk < kChunks; ++chunk) {
    for (PlayedId played = 0; played < count; ++played) {
      const SoundKind kind = kinds_[played];
      const std::uint64_t seed = chunk * 2 + (kind == SoundKind::kDrum ? 1 : 0);
      keys[played] = {HashWithin(masked_[played], MasksOf(kind).chunks[chunk], seed), played};
    }
    std::sort(keys.begin(), keys.end());
    for (std::size_t start = 0; start < keys.size();) {
      std::size_t end = start + 1;
      while (end < keys.size() && keys[end].first == keys[start].first) ++end;
      for (std::size_t i = start; i < end; ++i) {
        for (std::size_t j = i + 1; j < end; ++j) {
          const PlayedId a = keys[i].second;
          const PlayedId b = keys[j].second;
          if (kinds_[a] != kinds_[b]) continue;
          const KindMasks& masks = MasksOf(kinds_[a]);
          if (!AgreeWithin(masked_[a], masked_[b], masks.chunks[chunk])) continue;
          // A pair that agrees on an earlier chunk was met there.
          bool met = false;
          for (std::size_t earlier = 0; earlier < chunk && !met; ++earlier) {
            met = AgreeWithin(masked_[a], masked_[b], masks.chunks[earlier]);
          }
          if (met) continue;
          const int distance = CountDifferences(a, b, kMostDifferences);
          if (distance > kMostDifferences) continue;
          near_pairs_.push_back({std::min(a, b), std::max(a, b), distance});
        }
      }
      start = end;
    }
  }
  std::sort(near_pairs_.begin(), near_pairs_.end(),
            [](const NearSoundPair& x, const NearSoundPair& y) {
              return std::pair(x.first, x.second) < std::pair(y.first, y.second);
            });
  distance_of_pair_.reserve(near_pairs_.size());
  for (const NearSoundPair& pair : near_pairs_) {
    distance_of_pair_.emplace(PairKey(pair.first, pair.second),
                              static_cast<std::uint8_t>(pair.distance));
  }
}

int PlayedSounds::CountDifferences(PlayedId a, PlayedId b, int limit) const {
  if (kinds_[a] != kinds_[b]) return limit + 1;
  SoundBlock differing;
  for (std::size_t i = 0; i < differing.size(); ++i) {
    differing[i] = static_cast<std::uint8_t>(masked_[a][i] ^ masked_[b][i]);
  }
  int count = 0;
  for (const params::BitRange bits : MasksOf(kinds_[a]).fields) {
    if (params::ReadBits(differing, bits) == 0) continue;
    if (++count > limit) break;
  }
  return count;
}

int PlayedSounds::Distance(PlayedId a, PlayedId b) const {
  if (a == b) return 0;
  if (a == kSwitchedOff || b == kSwitchedOff) return 1;
  const auto found = distance_of_pair_.find(PairKey(a, b));
  return found == distance_of_pair_.end() ? kFar : found->second;
}

}  // namespace dravelin
