// Report text put together in one reused buffer before it is handed to the
// report channel in one piece: a report of a hundred megabytes made of short
// lines would otherwise spend most of its time in per-line calls.

#ifndef DRAVELIN_COMPARE_TEXT_BLOCK_H_
#define DRAVELIN_COMPARE_TEXT_BLOCK_H_

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

namespace dravelin {

class TextBlock {
 public:
  // Makes room for `more` bytes; Put and EndLine write only into room made
  // this way.
  void Reserve(std::size_t more) {
    if (size_ + more > data_.size()) data_.resize(std::max(data_.size() * 2, size_ + more));
  }

  void Put(std::string_view text) {
    std::memcpy(data_.data() + size_, text.data(), text.size());
    size_ += text.size();
  }

  // Ends the current line with CR LF.
  void EndLine() {
    data_[size_] = '\r';
    data_[size_ + 1] = '\n';
    size_ += 2;
  }

  std::string_view text() const { return std::string_view(data_.data(), size_); }
  std::size_t size() const { return size_; }
  void Clear() { size_ = 0; }

 private:
  std::string data_;
  std::size_t size_ = 0;
};

}  // namespace dravelin

#endif  // DRAVELIN_COMPARE_TEXT_BLOCK_H_
