// Finding user effects dumps in a sysex byte stream.
//
// Beside each program a bank file holds the program's user effects dump: F0,
// the header 00 00 0E 0E 06, the effects number (the number of the program it
// belongs to), 75 payload bytes of 7 bits and F7, 83 bytes in all. The
// payload is packed as a program dump's is and unpacks to 65 bytes. The
// finder runs beside the program dump decoder (as an observer of the same
// stream) so that it cannot change which program dumps are found.

#ifndef DRAVELIN_BANKS_EFFECTS_DUMP_H_
#define DRAVELIN_BANKS_EFFECTS_DUMP_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "banks/byte_stream.h"
#include "banks/seven_bit.h"

namespace dravelin {

inline constexpr std::size_t kEffectsDumpSize = 83;
inline constexpr std::size_t kEffectsPayloadSize = 75;
inline constexpr std::size_t kEffectsDataSize = 65;

// The unpacked payload of one effects dump.
using EffectsData = std::array<std::uint8_t, kEffectsDataSize>;

// Collects the whole effects dumps of the bytes it is fed, in any chunks.
// A message is taken only when it is whole: the header, a number below 80
// hex, 75 payload bytes below 80 hex, then F7. Anything else is passed over;
// an F0 anywhere, also inside a message being matched, starts a new one.
class EffectsDumpFinder final : public ByteStream::Observer {
 public:
  struct Found {
    std::uint8_t number = 0;
    std::uint32_t offset = 0;  // of the message in bytes()
  };

  // Keeps at most `max_dumps` dumps; later ones are passed over, so that a
  // file of nothing but effects dumps cannot claim memory without end.
  explicit EffectsDumpFinder(std::size_t max_dumps);

  void Observe(std::span<const std::uint8_t> bytes) override;

  // The dumps found so far in stream order, and their messages end to end.
  const std::vector<Found>& found() const { return found_; }
  const std::vector<std::uint8_t>& bytes() const { return bytes_; }
  std::span<const std::uint8_t, kEffectsDumpSize> Message(const Found& dump) const {
    return std::span<const std::uint8_t, kEffectsDumpSize>(bytes_.data() + dump.offset,
                                                           kEffectsDumpSize);
  }

 private:
  std::size_t max_dumps_;
  std::vector<Found> found_;
  std::vector<std::uint8_t> bytes_;
  std::array<std::uint8_t, kEffectsDumpSize> pending_{};  // the message being matched
  std::size_t pending_size_ = 0;
};

// The unpacked payload of a whole effects dump message.
EffectsData UnpackEffectsData(std::span<const std::uint8_t, kEffectsDumpSize> message);

// True when `message` is a whole effects dump as EffectsDumpFinder takes it.
bool IsEffectsDump(std::span<const std::uint8_t> message);

}  // namespace dravelin

#endif  // DRAVELIN_BANKS_EFFECTS_DUMP_H_
