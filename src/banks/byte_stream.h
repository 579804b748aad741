// A buffered reader of single bytes, from an open file or from memory.

#ifndef DRAVELIN_BANKS_BYTE_STREAM_H_
#define DRAVELIN_BANKS_BYTE_STREAM_H_

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string_view>

namespace dravelin {

class ByteStream {
 public:
  // Returned by Get() at the end of the data (or on a read error).
  static constexpr int kEnd = -1;

  // Reads `file` from its current position; the caller keeps ownership.
  explicit ByteStream(std::FILE* file);
  // Reads the bytes of `data`, which must outlive the stream.
  explicit ByteStream(std::string_view data);

  ByteStream(const ByteStream&) = delete;
  ByteStream& operator=(const ByteStream&) = delete;

  // The next byte (0 to 255), or kEnd.
  int Get() {
    if (next_ == end_ && !Refill()) return kEnd;
    return *next_++;
  }

 private:
  bool Refill();

  std::FILE* file_ = nullptr;
  std::unique_ptr<std::uint8_t[]> buffer_;
  const std::uint8_t* next_ = nullptr;
  const std::uint8_t* end_ = nullptr;
};

}  // namespace dravelin

#endif  // DRAVELIN_BANKS_BYTE_STREAM_H_
