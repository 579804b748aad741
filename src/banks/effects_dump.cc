#include "banks/effects_dump.h"

#include <algorithm>
#include <cstring>

namespace dravelin {
namespace {

constexpr std::uint8_t kSysexStart = 0xF0;
constexpr std::uint8_t kSysexEnd = 0xF7;
constexpr std::array<std::uint8_t, 6> kEffectsDumpStart = {kSysexStart, 0x00, 0x00,
                                                           0x0E,        0x0E, 0x06};
// Positions in the message: the number, then the payload.
constexpr std::size_t kNumberAt = kEffectsDumpStart.size();
constexpr std::size_t kPayloadAt = kNumberAt + 1;
// Dumps a bank file holds: room is made for them when the first is found.
constexpr std::size_t kTypicalDumps = 128;

}  // namespace

EffectsDumpFinder::EffectsDumpFinder(std::size_t max_dumps) : max_dumps_(max_dumps) {}

void EffectsDumpFinder::Observe(std::span<const std::uint8_t> bytes) {
  const std::uint8_t* next = bytes.data();
  const std::uint8_t* const end = next + bytes.size();
  while (next != end) {
    if (pending_size_ == 0) {
      // Between messages: on to the next F0 (most of a bank file is other
      // messages' data).
      next = static_cast<const std::uint8_t*>(
          std::memchr(next, kSysexStart, static_cast<std::size_t>(end - next)));
      if (next == nullptr) return;
      pending_[pending_size_++] = *next++;
      continue;
    }
    if (pending_size_ < kNumberAt) {
      const std::uint8_t byte = *next++;
      if (byte == kEffectsDumpStart[pending_size_]) {
        pending_[pending_size_++] = byte;
      } else {
        pending_size_ = byte == kSysexStart ? 1 : 0;  // an F0 starts the next message
      }
      continue;
    }
    if (pending_size_ < kEffectsDumpSize - 1) {
      // The number and the payload: 7-bit bytes, taken a run at a time.
      const std::size_t wanted = kEffectsDumpSize - 1 - pending_size_;
      const std::size_t here = std::min(wanted, static_cast<std::size_t>(end - next));
      const std::uint8_t* const stop =
          std::find_if(next, next + here, [](std::uint8_t byte) { return byte >= 0x80; });
      std::copy(next, stop, pending_.begin() + static_cast<std::ptrdiff_t>(pending_size_));
      pending_size_ += static_cast<std::size_t>(stop - next);
      next = stop;
      if (next != end && pending_size_ < kEffectsDumpSize - 1) {
        const std::uint8_t byte = *next++;
        pending_size_ = byte == kSysexStart ? 1 : 0;
      }
      continue;
    }
    const std::uint8_t byte = *next++;
    if (byte != kSysexEnd) {
      pending_size_ = byte == kSysexStart ? 1 : 0;
      continue;
    }
    pending_[pending_size_] = byte;
    pending_size_ = 0;
    if (found_.size() == max_dumps_) continue;
    if (found_.empty()) bytes_.reserve(kTypicalDumps * kEffectsDumpSize);
    found_.push_back({pending_[kNumberAt], static_cast<std::uint32_t>(bytes_.size())});
    bytes_.insert(bytes_.end(), pending_.begin(), pending_.end());
  }
}

EffectsData UnpackEffectsData(std::span<const std::uint8_t, kEffectsDumpSize> message) {
  EffectsData data{};
  UnpackSevenBitData(message.subspan<kPayloadAt, kEffectsPayloadSize>(), data);
  return data;
}

bool IsEffectsDump(std::span<const std::uint8_t> message) {
  if (message.size() != kEffectsDumpSize) return false;
  if (!std::equal(kEffectsDumpStart.begin(), kEffectsDumpStart.end(), message.begin())) {
    return false;
  }
  if (message.back() != kSysexEnd) return false;
  return std::all_of(message.begin() + kNumberAt, message.end() - 1,
                     [](std::uint8_t byte) { return byte < 0x80; });
}

}  // namespace dravelin
