#include "banks/seven_bit.h"

namespace dravelin {

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

void PackSevenBitData(std::span<const std::uint8_t> data, std::span<std::uint8_t> payload) {
  std::uint32_t bits = 0;
  unsigned count = 0;
  std::size_t in = 0;
  for (std::uint8_t& byte : payload) {
    if (count < 7 && in < data.size()) {
      bits |= std::uint32_t{data[in++]} << count;
      count += 8;
    }
    byte = static_cast<std::uint8_t>(bits & 0x7Fu);
    bits >>= 7;
    count = count >= 7 ? count - 7 : 0;
  }
}

}  // namespace dravelin
