#include "banks/byte_stream.h"

namespace dravelin {
namespace {
constexpr std::size_t kBufferSize = 64 * 1024;
}  // namespace

ByteStream::ByteStream(std::FILE* file) : file_(file), buffer_(new std::uint8_t[kBufferSize]) {}

ByteStream::ByteStream(std::string_view data)
    : next_(reinterpret_cast<const std::uint8_t*>(data.data())),
      end_(reinterpret_cast<const std::uint8_t*>(data.data()) + data.size()) {}

bool ByteStream::Refill() {
  if (file_ == nullptr) return false;
  const std::size_t got = std::fread(buffer_.get(), 1, kBufferSize, file_);
  if (got == 0) {
    file_ = nullptr;  // end of file or a read error: both end the stream
    return false;
  }
  next_ = buffer_.get();
  end_ = buffer_.get() + got;
  return true;
}

}  // namespace dravelin
