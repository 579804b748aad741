// The packing of sysex dumps: 8 bits of data a byte unpacked, 7 bits a byte
// in the message, laid end to end least significant bit first (the maker's
// published sysex format: 8 MIDI bytes carry 7 data bytes).

#ifndef DRAVELIN_BANKS_SEVEN_BIT_H_
#define DRAVELIN_BANKS_SEVEN_BIT_H_

#include <cstdint>
#include <span>

namespace dravelin {

// Unpacks `payload` (7 data bits a byte; only the low 7 bits of each count)
// into `data`, as far as the payload's bits fill whole bytes of `data`;
// bytes of `data` beyond them are left as they are.
void UnpackSevenBitData(std::span<const std::uint8_t> payload, std::span<std::uint8_t> data);

// Packs `data` into `payload`, 7 bits a byte, each below 80 hex; bits past
// the data are zero. The inverse of UnpackSevenBitData for payloads of 7-bit
// bytes whose size holds the data exactly (400 bytes for 350).
void PackSevenBitData(std::span<const std::uint8_t> data, std::span<std::uint8_t> payload);

}  // namespace dravelin

#endif  // DRAVELIN_BANKS_SEVEN_BIT_H_
