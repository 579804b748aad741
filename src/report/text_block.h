// Report lines put together in one reused buffer, with the place where each
// line ends, before they are handed to the report channel in one piece: a
// report of a hundred megabytes made of short lines would otherwise spend
// most of its time in per-line calls. The buffer grows as needed.

#ifndef DRAVELIN_REPORT_TEXT_BLOCK_H_
#define DRAVELIN_REPORT_TEXT_BLOCK_H_

#include <cstddef>
#include <cstring>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

namespace dravelin {

class TextBlock {
 public:
  // Adds `text` to the current line. The text may hold any byte, CR and LF
  // included: only EndLine ends a line.
  void Put(std::string_view text) {
    // A plain buffer rather than a string: a large report puts tens of
    // millions of short pieces, and each append of a string re-checks its
    // short-string form.
    if (text.size() >= capacity_ - size_) Grow(text.size());  // also before the first
    if (text.empty()) return;  // its data may be null, which memcpy must not get
    std::memcpy(data_.get() + size_, text.data(), text.size());
    size_ += text.size();
  }

  // Ends the current line with CR LF.
  void EndLine() {
    line_ends_.push_back(size_);
    Put("\r\n");
  }

  // The ended lines, each followed by CR LF, and any text of the line not
  // yet ended.
  std::string_view text() const { return std::string_view(data_.get(), size_); }

  // Where each ended line stops in text(): the offset of its CR LF.
  std::span<const std::size_t> line_ends() const { return line_ends_; }

  std::size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }

  // Empties the block and keeps its memory for the next lines.
  void Clear() {
    size_ = 0;
    line_ends_.clear();
  }

 private:
  // Makes room for at least `more` bytes after the text, doubling.
  void Grow(std::size_t more);

  std::unique_ptr<char[]> data_;
  std::size_t size_ = 0;
  std::size_t capacity_ = 0;
  std::vector<std::size_t> line_ends_;
};

}  // namespace dravelin

#endif  // DRAVELIN_REPORT_TEXT_BLOCK_H_
