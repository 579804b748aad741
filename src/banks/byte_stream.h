// A buffered reader of single bytes, from an open file or from memory.

#ifndef DRAVELIN_BANKS_BYTE_STREAM_H_
#define DRAVELIN_BANKS_BYTE_STREAM_H_

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

namespace dravelin {

class ByteStream {
 public:
  // Returned by Get() at the end of the data (or on a read error).
  static constexpr int kEnd = -1;

  // Sees the bytes of a stream a chunk at a time, beside its reader: a second
  // scanner that must not change what the reader of Get() finds.
  class Observer {
   public:
    // `bytes` follow, without gap or overlap, those of the previous call.
    virtual void Observe(std::span<const std::uint8_t> bytes) = 0;

   protected:
    ~Observer() = default;
  };

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

  // From the next byte Get() will return onward, hands `observer` every
  // byte of the stream once, in order, each chunk before Get() returns any
  // byte of it: the bytes at hand at once, every later chunk as it is read.
  // Null stops it. The observer must outlive its use.
  void SetObserver(Observer* observer);

  // Appends every byte Get() returns from now on to `*sink` until
  // EndCapture(). Costs nothing per byte: the bytes are copied a chunk at a
  // time. `*sink` must not be changed by anyone else meanwhile.
  void BeginCapture(std::vector<std::uint8_t>* sink);
  void EndCapture();
  // Ends a capture without copying what it has not taken yet; for leaving
  // after a failure, when `*sink` is given up.
  void DropCapture() noexcept { capture_ = nullptr; }

 private:
  bool Refill();

  std::FILE* file_ = nullptr;
  std::unique_ptr<std::uint8_t[]> buffer_;
  const std::uint8_t* next_ = nullptr;
  const std::uint8_t* end_ = nullptr;
  Observer* observer_ = nullptr;
  std::vector<std::uint8_t>* capture_ = nullptr;
  const std::uint8_t* capture_from_ = nullptr;  // first returned byte not yet captured
};

}  // namespace dravelin

#endif  // DRAVELIN_BANKS_BYTE_STREAM_H_
