#include "pane/line_store.h"

#include <cstdlib>
#include <new>

#if defined(__linux__)
#include <sys/mman.h>
#endif
#if defined(_WIN32)
#include <malloc.h>
#endif

namespace dravelin {
namespace {

// Lines up to this long are copied word by word.
constexpr std::size_t kShortLine = 128;

// Whether the `size` bytes at `a` and at `b` are the same, compared eight at
// a time (a plain memcmp goes byte by byte in the browser's build).
bool SameBytes(const char* a, const char* b, std::size_t size) {
  std::size_t i = 0;
  for (; i + 8 <= size; i += 8) {
    std::uint64_t x;
    std::uint64_t y;
    std::memcpy(&x, a + i, 8);
    std::memcpy(&y, b + i, 8);
    if (x != y) return false;
  }
  for (; i < size; ++i) {
    if (a[i] != b[i]) return false;
  }
  return true;
}

// Room for `bytes` bytes; a block of kBlockBytes is aligned to its size, so
// that it can be backed by huge pages.
char* AllocateBlock(std::size_t bytes) {
  const bool large = bytes == LineStore::kBlockBytes;
#if defined(_WIN32)
  // Windows has no aligned_alloc; its aligned blocks have their own free,
  // so every block is made that way there.
  void* block = _aligned_malloc(bytes, large ? bytes : alignof(std::max_align_t));
#else
  void* block = large ? std::aligned_alloc(bytes, bytes) : std::malloc(bytes);
#endif
  if (block == nullptr) throw std::bad_alloc();
#if defined(__linux__) && defined(MADV_HUGEPAGE)
  // Advice only: without huge pages the block is plain memory.
  if (large) madvise(block, bytes, MADV_HUGEPAGE);
#endif
  return static_cast<char*>(block);
}

}  // namespace

void LineStore::FreeBytes::operator()(char* bytes) const {
#if defined(_WIN32)
  _aligned_free(bytes);
#else
  std::free(bytes);
#endif
}

void LineStore::AddBlock(std::size_t needed) {
  Block block;
  const std::size_t usual = blocks_.empty() ? kFirstBlockBytes : kBlockBytes;
  // A line too long for a usual block gets one of its own, rounded up to
  // whole slots.
  block.capacity = std::max(usual, (needed + kSlotBytes - 1) / kSlotBytes * kSlotBytes);
  block.bytes = std::shared_ptr<char>(AllocateBlock(block.capacity), FreeBytes());
  block.first_line = lines_;
  blocks_.push_back(std::move(block));
}

void LineStore::AppendLines(std::string_view bytes, std::span<const std::size_t> ends,
                            std::size_t separator) {
  if (ends.empty()) return;
  // The group flags of all the new lines first; each block's lines are then
  // counted in only once they are written, so that a failed allocation of a
  // later block leaves whole lines.
  const std::size_t groups = ((lines_ + ends.size() - 1) >> kGroupShift) + 1;
  if (multibyte_groups_.size() < groups) multibyte_groups_.resize(groups, false);
  const char* const from = bytes.data();
  std::size_t j = 0;
  std::size_t start = 0;
  while (j < ends.size()) {
    const std::size_t needed = ends[j] - start + kLineEndBytes + kSlotBytes;
    if (blocks_.empty() ||
        blocks_.back().capacity - blocks_.back().used - blocks_.back().lines * kSlotBytes <
            needed) {
      AddBlock(needed);
    }
    Block& block = blocks_.back();
    char* const to = block.bytes.get();
    // Text grows up from `used`, start slots down from `slots`.
    std::size_t used = block.used;
    std::size_t slots = block.capacity - block.lines * kSlotBytes;
    const std::size_t first = j;
    const std::size_t first_start = start;
    for (; j < ends.size(); ++j) {
      const std::size_t size = ends[j] - start;
      if (slots - used < size + kLineEndBytes + kSlotBytes) break;
      slots -= kSlotBytes;
      const auto at = static_cast<std::uint32_t>(used);
      std::memcpy(to + slots, &at, kSlotBytes);
      // Most report lines are short: they go eight bytes at a time, past
      // their end where both the batch and the block's free middle have the
      // room, rather than through a call of memcpy each.
      const std::size_t words = (size + 7) & ~std::size_t{7};
      if (words <= kShortLine && start + words <= bytes.size() && words <= slots - used) {
        for (std::size_t i = 0; i < words; i += 8) {
          std::uint64_t word;
          std::memcpy(&word, from + start + i, 8);
          std::memcpy(to + used + i, &word, 8);
        }
      } else if (size != 0) {
        std::memcpy(to + used, from + start, size);
      }
      to[used + size] = '\r';
      to[used + size + 1] = '\n';
      used += size + kLineEndBytes;
      start = ends[j] + separator;
    }
    text_bytes_ += used - block.used - kLineEndBytes * (j - first);
    block.used = used;
    block.lines += j - first;
    // Whether each group of the written lines holds a byte above 0x7F,
    // checked over the group's run of the batch, separators included (CR LF;
    // others could only flag a group of ASCII lines, which then decodes):
    // one check for a block's worth of ASCII lines.
    if (!IsAscii(bytes.substr(first_start, ends[j - 1] - first_start))) {
      for (std::size_t k = first; k < j;) {
        const std::size_t line = lines_ + (k - first);
        const std::size_t group = line >> kGroupShift;
        const std::size_t group_end = std::min(j, k + ((group + 1) << kGroupShift) - line);
        const std::size_t group_start = k == 0 ? 0 : ends[k - 1] + separator;
        if (!IsAscii(bytes.substr(group_start, ends[group_end - 1] - group_start))) {
          multibyte_groups_[group] = true;
        }
        k = group_end;
      }
    }
    lines_ += j - first;
  }
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

bool LineStore::ShareTail(std::string_view bytes, std::vector<SharedBytes>* shared) const {
  if (bytes.size() > stream_bytes()) return false;
  if (bytes.empty()) return true;
  // The block the tail starts in, and where.
  std::size_t first = blocks_.size() - 1;
  std::size_t from_first = bytes.size();  // the tail's bytes from block `first` on
  while (from_first > blocks_[first].used) {
    from_first -= blocks_[first].used;
    --first;
  }
  const std::size_t offset = blocks_[first].used - from_first;
  // Compared whole first, so that a difference borrows nothing.
  std::size_t done = 0;
  for (std::size_t b = first, from = offset; b < blocks_.size(); ++b, from = 0) {
    const std::size_t take = blocks_[b].used - from;
    if (!SameBytes(blocks_[b].bytes.get() + from, bytes.data() + done, take)) return false;
    done += take;
  }
  shared->reserve(shared->size() + blocks_.size() - first);
  for (std::size_t b = first, from = offset; b < blocks_.size(); ++b, from = 0) {
    const Block& block = blocks_[b];
    if (block.used == from) continue;
    shared->push_back({block.bytes, std::string_view(block.bytes.get() + from, block.used - from)});
  }
  return true;
}

std::size_t LineStore::MemoryBytes() const {
  std::size_t bytes = blocks_.capacity() * sizeof(Block) + multibyte_groups_.capacity() / 8;
  for (const Block& block : blocks_) bytes += block.capacity;
  return bytes;
}

}  // namespace dravelin
