// Bytes borrowed from memory that someone else allocated: they stay valid
// while `owner` (or any copy of it) lives, however long the memory's first
// holder keeps it. A report file can so hold bytes that the pane already
// holds, without a copy of its own.

#ifndef DRAVELIN_BASE_SHARED_BYTES_H_
#define DRAVELIN_BASE_SHARED_BYTES_H_

#include <memory>
#include <string_view>

namespace dravelin {

struct SharedBytes {
  std::shared_ptr<const char> owner;
  std::string_view bytes;
};

}  // namespace dravelin

#endif  // DRAVELIN_BASE_SHARED_BYTES_H_
