// An append-only store of text lines, compact enough to hold a report of
// millions of lines.
//
// Lines live in blocks (a small first one, then kBlockBytes each; a longer
// line gets a block of its own). A block holds its lines' bytes one after
// another from its start, each followed by CR LF, and where each line starts
// (4 bytes a line) from its end, so that a line costs its bytes and 6 more.
// The blocks' text, one block after another, is thus every line as a report
// file holds it (the stream), and a report file written beside the store can
// borrow its bytes instead of copying them (ShareTail). Appending never moves
// stored bytes, so growing costs no copy and leaves at most the unused middle
// of the last block, and a line's view stays valid until Clear. Where the
// system offers it, the large blocks are backed by huge pages: a long report
// then costs a few hundred page faults instead of one for every 4 KiB, which
// is most of the time of filling fresh memory.

#ifndef DRAVELIN_PANE_LINE_STORE_H_
#define DRAVELIN_PANE_LINE_STORE_H_

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

#include "base/line_decoding.h"
#include "base/shared_bytes.h"

namespace dravelin {

class LineStore {
 public:
  static constexpr std::size_t kFirstBlockBytes = std::size_t{64} << 10;
  static constexpr std::size_t kBlockBytes = std::size_t{2} << 20;

  LineStore() = default;
  LineStore(LineStore&&) = default;
  LineStore& operator=(LineStore&&) = default;

  // Adds `line` (bytes, no line break) as the last line. Amortised O(1)
  // beyond copying its bytes.
  void Append(std::string_view line) {
    const std::size_t end = line.size();
    AppendLines(line, std::span<const std::size_t>(&end, 1), 0);
  }

  // Adds ends.size() lines from `bytes`, as a report hands them over: line j
  // ends at ends[j] and the next starts `separator` bytes later (the first at
  // 0); the separators are not stored. One pass over the batch, without
  // per-line bookkeeping. When memory runs out it throws std::bad_alloc and
  // the store keeps the whole lines it took before.
  void AppendLines(std::string_view bytes, std::span<const std::size_t> ends,
                   std::size_t separator);

  // Removes every line and gives the memory back.
  void Clear();

  std::size_t size() const { return lines_; }

  // The bytes of line `i` (< size()); valid until Clear.
  std::string_view Line(std::size_t i) const;

  // The characters line `i` shows (LineCharCount), without decoding it when
  // the line's group holds only single-byte characters.
  std::size_t CharCount(std::size_t i) const;

  // Calls visit(char_count) for the lines first .. first + count - 1, in
  // order; faster than CharCount line by line.
  template <typename Visit>
  void VisitCharCounts(std::size_t first, std::size_t count, Visit&& visit) const;

  // Calls visit(bytes, ascii) for the lines first .. first + count - 1, in
  // order; `ascii` is true when the line is known to hold only ASCII bytes.
  template <typename Visit>
  void VisitLines(std::size_t first, std::size_t count, Visit&& visit) const;

  // The bytes of all lines together.
  std::size_t text_bytes() const { return text_bytes_; }

  // The heap memory the store holds.
  std::size_t MemoryBytes() const;

  // --- The stream: every line followed by CR LF ---

  std::size_t stream_bytes() const { return text_bytes_ + kLineEndBytes * lines_; }

  // When the stream ends with exactly `bytes`, appends to `shared` the
  // pieces of the store that hold them, one for each block they span, and
  // returns true; otherwise returns false and changes nothing. The pieces
  // stay valid after Clear and after the store is gone. Compares the bytes
  // once; throws std::bad_alloc, changing nothing, when `shared` cannot grow.
  bool ShareTail(std::string_view bytes, std::vector<SharedBytes>* shared) const;

 private:
  // Lines are grouped by 64 for a flag that says whether any line of the
  // group holds a byte above 0x7F; only such lines need decoding to count
  // their characters.
  static constexpr std::size_t kGroupShift = 6;
  static constexpr std::size_t kSlotBytes = sizeof(std::uint32_t);
  static constexpr std::size_t kLineEndBytes = 2;  // CR LF

  struct FreeBytes {
    void operator()(char* bytes) const;
  };
  struct Block {
    // Shared with the report files that borrow the block's bytes.
    std::shared_ptr<char> bytes;
    std::size_t capacity = 0;
    std::size_t used = 0;  // bytes of text from the start, line ends included
    std::size_t first_line = 0;
    std::size_t lines = 0;  // start slots from the end

    std::size_t Start(std::size_t k) const {
      std::uint32_t start;
      std::memcpy(&start, bytes.get() + capacity - (k + 1) * kSlotBytes, kSlotBytes);
      return start;
    }
    // Where line k's bytes end, before its line end.
    std::size_t End(std::size_t k) const {
      return (k + 1 < lines ? Start(k + 1) : used) - kLineEndBytes;
    }
  };

  std::size_t BlockOf(std::size_t line) const;
  // Starts a block with room for at least `needed` bytes.
  void AddBlock(std::size_t needed);

  std::vector<Block> blocks_;
  std::vector<bool> multibyte_groups_;
  std::size_t lines_ = 0;
  std::size_t text_bytes_ = 0;
};

template <typename Visit>
void LineStore::VisitLines(std::size_t first, std::size_t count, Visit&& visit) const {
  if (count == 0) return;
  std::size_t line = first;
  const std::size_t last = first + count;
  for (std::size_t b = BlockOf(line); line < last; ++b) {
    const Block& block = blocks_[b];
    const std::size_t stop = std::min(last, block.first_line + block.lines);
    for (; line < stop; ++line) {
      const std::size_t k = line - block.first_line;
      const std::size_t start = block.Start(k);
      visit(std::string_view(block.bytes.get() + start, block.End(k) - start),
            !multibyte_groups_[line >> kGroupShift]);
    }
  }
}

template <typename Visit>
void LineStore::VisitCharCounts(std::size_t first, std::size_t count, Visit&& visit) const {
  VisitLines(first, count, [&](std::string_view bytes, bool ascii) {
    visit(ascii ? bytes.size() : LineCharCount(bytes));
  });
}

}  // namespace dravelin

#endif  // DRAVELIN_PANE_LINE_STORE_H_
