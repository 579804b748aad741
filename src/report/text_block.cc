#include "report/text_block.h"

#include <algorithm>

namespace dravelin {

void TextBlock::Grow(std::size_t more) {
  const std::size_t capacity = std::max({capacity_ * 2, size_ + more + 1, std::size_t{256}});
  std::unique_ptr<char[]> data(new char[capacity]);
  if (size_ > 0) std::memcpy(data.get(), data_.get(), size_);
  data_ = std::move(data);
  capacity_ = capacity;
}

}  // namespace dravelin
