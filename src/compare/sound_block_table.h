// Numbers the distinct sound blocks met in one or more bank sets, so that
// two blocks are byte-identical exactly when they got the same number.
//
// Blocks are found by a hash of their bytes and confirmed by comparing all
// of them, so a hash collision can never merge two different blocks. The
// table keeps pointers to the blocks it was given: they must outlive it and
// stay unchanged.

#ifndef DRAVELIN_COMPARE_SOUND_BLOCK_TABLE_H_
#define DRAVELIN_COMPARE_SOUND_BLOCK_TABLE_H_

#include <cstddef>
#include <cstdint>
#include <limits>
#include <span>
#include <vector>

#include "banks/patch.h"

namespace dravelin {

using BlockId = std::uint32_t;

// Stands for "no block": a block the table has never seen, or an unused
// place in a list of ids.
inline constexpr BlockId kNoBlock = std::numeric_limits<BlockId>::max();

class SoundBlockTable {
 public:
  // `expected_blocks` sizes the table up front; it grows when needed.
  explicit SoundBlockTable(std::size_t expected_blocks = 0);

  // The number of `block`, a new one (the count so far) when it is unseen.
  BlockId Intern(const SoundBlock& block);

  // Interns blocks[k] into ids[k] for every k, as Intern does one by one;
  // for many blocks faster, as it asks for table slots before it needs them.
  void InternMany(std::span<const SoundBlock* const> blocks, std::span<BlockId> ids);

  // The number of `block`, or kNoBlock when it was never interned.
  BlockId Find(const SoundBlock& block) const;

  // How many distinct blocks were interned.
  std::size_t size() const { return blocks_.size(); }

 private:
  // A slot holds the upper half of its block's hash beside the block's
  // number, so that a probe rarely needs to look at the block itself.
  static constexpr std::uint64_t kEmptySlot = ~std::uint64_t{0};
  static std::uint64_t Hash(const SoundBlock& block);
  static std::uint64_t SlotValue(std::uint64_t hash, BlockId id) {
    return (hash & 0xFFFFFFFF00000000ull) | id;
  }
  // The slot that holds `block`, or the empty slot where it would go.
  std::size_t SlotOf(const SoundBlock& block, std::uint64_t hash) const;
  BlockId Intern(const SoundBlock& block, std::uint64_t hash);
  void Rehash(std::size_t slot_count);

  std::vector<const SoundBlock*> blocks_;  // by id
  std::vector<std::uint64_t> hashes_;      // by id, for rehashing
  std::vector<std::uint64_t> slots_;       // SlotValue, or kEmptySlot
  std::size_t mask_ = 0;
};

}  // namespace dravelin

#endif  // DRAVELIN_COMPARE_SOUND_BLOCK_TABLE_H_
