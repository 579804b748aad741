#include "params/field_layout.h"

#include <algorithm>

namespace dravelin::params {
namespace {

std::string BitText(unsigned bit) {
  return std::to_string(bit / 8) + ":" + std::to_string(bit % 8);
}

// The raw value as a two's complement number of `width` bits.
int SignExtended(std::uint32_t raw, unsigned width) {
  if (width == 0 || width >= 32) return static_cast<int>(raw);
  const std::uint32_t sign = 1u << (width - 1);
  return raw & sign ? static_cast<int>(raw) - static_cast<int>(sign << 1) : static_cast<int>(raw);
}

}  // namespace

std::string FormatBitAddress(BitRange bits) {
  if (bits.width <= 1) return BitText(bits.first);
  return BitText(bits.end() - 1) + "-" + BitText(bits.first);
}

std::uint32_t ReadBits(std::span<const std::uint8_t> bytes, BitRange bits) {
  std::uint32_t value = 0;
  unsigned done = 0;
  unsigned bit = bits.first;
  while (done < bits.width) {
    const std::size_t byte = bit / 8;
    if (byte >= bytes.size()) break;
    const unsigned shift = bit % 8;
    const unsigned take = std::min(8 - shift, bits.width - done);
    const std::uint32_t part = (bytes[byte] >> shift) & ((1u << take) - 1);
    value |= part << done;
    done += take;
    bit += take;
  }
  return value;
}

bool FieldApplies(std::span<const std::uint8_t> bytes, const FieldLayout& field) {
  if (field.when.selector.width == 0) return true;
  const std::uint32_t selected = ReadBits(bytes, field.when.selector);
  return selected < 32 && (field.when.values >> selected) & 1u;
}

std::string FieldLabel(const FieldLayout& field) {
  std::string label;
  if (field.instance != 0) label = "Drum " + std::to_string(field.instance) + " ";
  label += field.name;
  if (field.kind == FieldKind::kSpare) label += " " + FormatBitAddress(field.bits);
  return label;
}

bool InRange(const FieldLayout& field, std::uint32_t raw) {
  if (field.kind == FieldKind::kSpare) return true;
  if (field.display == Display::kSevenBitSigned) {
    const int value = SignExtended(raw, field.bits.width);
    return value >= -static_cast<int>(field.limit) && value <= static_cast<int>(field.limit);
  }
  return raw <= field.limit;
}

std::string ShownValue(const FieldLayout& field, std::uint32_t raw) {
  switch (field.display) {
    case Display::kNumber:
      return std::to_string(static_cast<long long>(raw) + field.offset);
    case Display::kChoice:
      if (raw < field.choices.size()) return std::string(field.choices[raw]);
      return std::to_string(raw);
    case Display::kNote: {
      static constexpr const char* kNames[12] = {"C",  "C#", "D",  "D#", "E",  "F",
                                                 "F#", "G",  "G#", "A",  "A#", "B"};
      return kNames[raw % 12] + std::to_string(static_cast<int>(raw / 12) - 2);
    }
    case Display::kCharacter:
      if (raw + 32 <= 126) return std::string{'\'', static_cast<char>(raw + 32), '\''};
      return std::to_string(raw);
    case Display::kSevenBitSigned:
      return std::to_string(SignExtended(raw, field.bits.width));
  }
  return std::to_string(raw);
}

}  // namespace dravelin::params
