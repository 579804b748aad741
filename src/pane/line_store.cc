#include "pane/line_store.h"

#include <cstdlib>
#include <new>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace dravelin {
namespace {

// Room for `bytes` bytes; a block of kBlockBytes is aligned to its size, so
// that it can be backed by huge pages.
char* AllocateBlock(std::size_t bytes) {
  const bool large = bytes == LineStore::kBlockBytes;
  void* block = large ? std::aligned_alloc(bytes, bytes) : std::malloc(bytes);
  if (block == nullptr) throw std::bad_alloc();
#if defined(__linux__) && defined(MADV_HUGEPAGE)
  // Advice only: without huge pages the block is plain memory.
  if (large) madvise(block, bytes, MADV_HUGEPAGE);
#endif
  return static_cast<char*>(block);
}

}  // namespace

void LineStore::FreeBytes::operator()(char* bytes) const { std::free(bytes); }

void LineStore::Append(std::string_view line) {
  // Everything that allocates comes first, so that a failed allocation
  // leaves the store as it was.
  const std::size_t group = lines_ >> kGroupShift;
  if (group == multibyte_groups_.size()) multibyte_groups_.push_back(false);
  const std::size_t needed = line.size() + kSlotBytes;
  if (blocks_.empty() ||
      blocks_.back().capacity - blocks_.back().used - blocks_.back().lines * kSlotBytes < needed) {
    Block block;
    const std::size_t usual = blocks_.empty() ? kFirstBlockBytes : kBlockBytes;
    // A line too long for a usual block gets one of its own, rounded up to
    // whole slots.
    block.capacity = std::max(usual, (needed + kSlotBytes - 1) / kSlotBytes * kSlotBytes);
    block.bytes.reset(AllocateBlock(block.capacity));
    block.first_line = lines_;
    blocks_.push_back(std::move(block));
  }
  Block& block = blocks_.back();
  if (!line.empty()) std::memcpy(block.bytes.get() + block.used, line.data(), line.size());
  const auto start = static_cast<std::uint32_t>(block.used);
  std::memcpy(block.bytes.get() + block.capacity - (block.lines + 1) * kSlotBytes, &start,
              kSlotBytes);
  block.used += line.size();
  ++block.lines;
  ++lines_;
  text_bytes_ += line.size();
  if (!IsAscii(line)) multibyte_groups_[group] = true;
}

void LineStore::Clear() { *this = LineStore(); }

std::size_t LineStore::BlockOf(std::size_t line) const {
  const auto after = std::upper_bound(
      blocks_.begin(), blocks_.end(), line,
      [](std::size_t wanted, const Block& block) { return wanted < block.first_line; });
  return static_cast<std::size_t>(after - blocks_.begin()) - 1;
}

std::string_view LineStore::Line(std::size_t i) const {
  const Block& block = blocks_[BlockOf(i)];
  const std::size_t k = i - block.first_line;
  const std::size_t start = block.Start(k);
  return std::string_view(block.bytes.get() + start, block.End(k) - start);
}

std::size_t LineStore::CharCount(std::size_t i) const {
  const std::string_view line = Line(i);
  return multibyte_groups_[i >> kGroupShift] ? LineCharCount(line) : line.size();
}

std::size_t LineStore::MemoryBytes() const {
  std::size_t bytes = blocks_.capacity() * sizeof(Block) + multibyte_groups_.capacity() / 8;
  for (const Block& block : blocks_) bytes += block.capacity;
  return bytes;
}

}  // namespace dravelin
