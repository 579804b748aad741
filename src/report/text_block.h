// Report lines put together in one reused buffer, with the place where each
// line ends, before they are handed to the report channel in one piece: a
// report of a hundred megabytes made of short lines would otherwise spend
// most of its time in per-line calls. The buffer grows as needed.

#ifndef DRAVELIN_REPORT_TEXT_BLOCK_H_
#define DRAVELIN_REPORT_TEXT_BLOCK_H_

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace dravelin {

class TextBlock {
 public:
  // Adds `text` to the current line. The text may hold any byte, CR and LF
  // included: only EndLine ends a line.
  void Put(std::string_view text) { text_.append(text); }

  // Ends the current line with CR LF.
  void EndLine() {
    line_ends_.push_back(text_.size());
    text_.append("\r\n", 2);
  }

  // The ended lines, each followed by CR LF, and any text of the line not
  // yet ended.
  std::string_view text() const { return text_; }

  // Where each ended line stops in text(): the offset of its CR LF.
  std::span<const std::size_t> line_ends() const { return line_ends_; }

  std::size_t size() const { return text_.size(); }
  bool empty() const { return text_.empty(); }

  // Empties the block and keeps its memory for the next lines.
  void Clear() {
    text_.clear();
    line_ends_.clear();
  }

 private:
  std::string text_;
  std::vector<std::size_t> line_ends_;
};

}  // namespace dravelin

#endif  // DRAVELIN_REPORT_TEXT_BLOCK_H_
