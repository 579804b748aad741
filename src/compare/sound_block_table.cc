#include "compare/sound_block_table.h"

#include <bit>
#include <cstring>

#include "compare/prefetch.h"

namespace dravelin {
namespace {

constexpr std::uint64_t kMultiplier = 0x9E3779B97F4A7C15ull;

std::uint64_t Mix(std::uint64_t h) {
  h ^= h >> 31;
  h *= 0xD6E8FEB86659FD93ull;
  h ^= h >> 32;
  return h;
}

}  // namespace

SoundBlockTable::SoundBlockTable(std::size_t expected_blocks) {
  // Keep the load factor at one half or below.
  Rehash(std::bit_ceil(expected_blocks * 2 + 16));
  blocks_.reserve(expected_blocks);
  hashes_.reserve(expected_blocks);
}

std::uint64_t SoundBlockTable::Hash(const SoundBlock& block) {
  std::uint64_t h = kSoundBlockSize;
  std::size_t i = 0;
  for (; i + 8 <= kSoundBlockSize; i += 8) {
    std::uint64_t word;
    std::memcpy(&word, block.data() + i, 8);
    h = std::rotl((h ^ word) * kMultiplier, 27);
  }
  std::uint64_t tail = 0;
  std::memcpy(&tail, block.data() + i, kSoundBlockSize - i);
  h = (h ^ tail) * kMultiplier;
  return Mix(h);
}

std::size_t SoundBlockTable::SlotOf(const SoundBlock& block, std::uint64_t hash) const {
  const std::uint64_t tag = hash & 0xFFFFFFFF00000000ull;
  std::size_t slot = static_cast<std::size_t>(hash) & mask_;
  while (true) {
    const std::uint64_t value = slots_[slot];
    if (value == kEmptySlot) return slot;
    if ((value & 0xFFFFFFFF00000000ull) == tag &&
        std::memcmp(blocks_[static_cast<BlockId>(value)]->data(), block.data(), kSoundBlockSize) ==
            0) {
      return slot;
    }
    slot = (slot + 1) & mask_;
  }
}

BlockId SoundBlockTable::Intern(const SoundBlock& block) { return Intern(block, Hash(block)); }

void SoundBlockTable::InternMany(std::span<const SoundBlock* const> blocks,
                                 std::span<BlockId> ids) {
  // Slots are met in no order; fetching each a few blocks ahead keeps the
  // waits for memory from adding up.
  constexpr std::size_t kAhead = 16;
  std::vector<std::uint64_t> hashes(blocks.size());
  for (std::size_t k = 0; k < blocks.size(); ++k) hashes[k] = Hash(*blocks[k]);
  for (std::size_t k = 0; k < blocks.size(); ++k) {
    if (k + kAhead < blocks.size()) {
      PrefetchForRead(&slots_[static_cast<std::size_t>(hashes[k + kAhead]) & mask_]);
    }
    ids[k] = Intern(*blocks[k], hashes[k]);
  }
}

BlockId SoundBlockTable::Intern(const SoundBlock& block, std::uint64_t hash) {
  std::size_t slot = SlotOf(block, hash);
  if (slots_[slot] != kEmptySlot) return static_cast<BlockId>(slots_[slot]);
  if ((blocks_.size() + 1) * 2 > slots_.size()) {
    Rehash(slots_.size() * 2);
    slot = SlotOf(block, hash);
  }
  const BlockId id = static_cast<BlockId>(blocks_.size());
  blocks_.push_back(&block);
  hashes_.push_back(hash);
  slots_[slot] = SlotValue(hash, id);
  return id;
}

BlockId SoundBlockTable::Find(const SoundBlock& block) const {
  const std::uint64_t value = slots_[SlotOf(block, Hash(block))];
  return value == kEmptySlot ? kNoBlock : static_cast<BlockId>(value);
}

void SoundBlockTable::Rehash(std::size_t slot_count) {
  slots_.assign(slot_count, kEmptySlot);
  mask_ = slot_count - 1;
  for (BlockId id = 0; id < blocks_.size(); ++id) {
    std::size_t slot = static_cast<std::size_t>(hashes_[id]) & mask_;
    while (slots_[slot] != kEmptySlot) slot = (slot + 1) & mask_;
    slots_[slot] = SlotValue(hashes_[id], id);
  }
}

}  // namespace dravelin
