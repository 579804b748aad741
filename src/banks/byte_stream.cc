#include "banks/byte_stream.h"

namespace dravelin {
namespace {
constexpr std::size_t kBufferSize = 64 * 1024;
}  // namespace

ByteStream::ByteStream(std::FILE* file) : file_(file), buffer_(new std::uint8_t[kBufferSize]) {}

ByteStream::ByteStream(std::string_view data)
    : next_(reinterpret_cast<const std::uint8_t*>(data.data())),
      end_(reinterpret_cast<const std::uint8_t*>(data.data()) + data.size()) {}

void ByteStream::SetObserver(Observer* observer) {
  observer_ = observer;
  if (observer_ != nullptr && next_ != end_) {
    observer_->Observe({next_, static_cast<std::size_t>(end_ - next_)});
  }
}

void ByteStream::BeginCapture(std::vector<std::uint8_t>* sink) {
  capture_ = sink;
  capture_from_ = next_;
}

void ByteStream::EndCapture() {
  if (capture_ == nullptr) return;
  capture_->insert(capture_->end(), capture_from_, next_);
  capture_ = nullptr;
}

bool ByteStream::Refill() {
  if (file_ == nullptr) return false;
  // Every byte of the chunk in hand has been returned: what the capture has
  // not taken yet goes before the buffer is overwritten.
  if (capture_ != nullptr) capture_->insert(capture_->end(), capture_from_, end_);
  const std::size_t got = std::fread(buffer_.get(), 1, kBufferSize, file_);
  next_ = buffer_.get();
  end_ = buffer_.get() + got;
  capture_from_ = next_;
  if (got == 0) {
    file_ = nullptr;  // end of file or a read error: both end the stream
    return false;
  }
  if (observer_ != nullptr) observer_->Observe({next_, got});
  return true;
}

}  // namespace dravelin
