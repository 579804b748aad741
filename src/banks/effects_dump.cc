#include "banks/effects_dump.h"

#include <algorithm>

namespace dravelin {
namespace {

constexpr std::uint8_t kSysexStart = 0xF0;
constexpr std::uint8_t kSysexEnd = 0xF7;
constexpr std::array<std::uint8_t, 6> kEffectsDumpStart = {kSysexStart, 0x00, 0x00,
                                                           0x0E,        0x0E, 0x06};
// Positions in the message: the number, then the payload.
constexpr std::size_t kNumberAt = kEffectsDumpStart.size();
constexpr std::size_t kPayloadAt = kNumberAt + 1;

}  // namespace

EffectsDumpFinder::EffectsDumpFinder(std::size_t max_dumps) : max_dumps_(max_dumps) {}

void EffectsDumpFinder::Observe(std::span<const std::uint8_t> bytes) {
  const std::uint8_t* next = bytes.data();
  const std::uint8_t* const end = next + bytes.size();
  while (next != end) {
    if (pending_size_ == 0) {
      next = std::find(next, end, kSysexStart);
      if (next == end) return;
    }
    const std::uint8_t byte = *next++;
    if (byte == kSysexStart) {
      pending_[0] = byte;
      pending_size_ = 1;
      continue;
    }
    bool fits;
    if (pending_size_ < kNumberAt) {
      fits = byte == kEffectsDumpStart[pending_size_];
    } else if (pending_size_ + 1 < kEffectsDumpSize) {
      fits = byte < 0x80;  // the number or a payload byte
    } else {
      fits = byte == kSysexEnd;
    }
    if (!fits) {
      pending_size_ = 0;
      continue;
    }
    pending_[pending_size_++] = byte;
    if (pending_size_ < kEffectsDumpSize) continue;
    pending_size_ = 0;
    if (found_.size() == max_dumps_) continue;
    found_.push_back({pending_[kNumberAt], static_cast<std::uint32_t>(bytes_.size())});
    bytes_.insert(bytes_.end(), pending_.begin(), pending_.end());
  }
}

void UnpackSevenBitData(std::span<const std::uint8_t> payload, std::span<std::uint8_t> data) {
  std::uint32_t bits = 0;  // gathered, least significant first
  unsigned count = 0;
  std::size_t out = 0;
  for (std::uint8_t byte : payload) {
    bits |= std::uint32_t{byte & 0x7Fu} << count;
    count += 7;
    if (count >= 8) {
      if (out == data.size()) return;
      data[out++] = static_cast<std::uint8_t>(bits);
      bits >>= 8;
      count -= 8;
    }
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
