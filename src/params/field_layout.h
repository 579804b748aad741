// The description of one parameter field of the unpacked program or effects
// data: where its bits lie, its documented range, the edit page it is on and
// how the keyboard shows its value. The tables of every field (sound_fields.h,
// effects_fields.h) are built from these at compile time.

#ifndef DRAVELIN_PARAMS_FIELD_LAYOUT_H_
#define DRAVELIN_PARAMS_FIELD_LAYOUT_H_

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace dravelin::params {

// Bits of unpacked data, counted from bit 0 of byte 0: bit b of byte n is
// bit 8n + b. A field's value has `first` as its least significant bit.
struct BitRange {
  std::uint16_t first = 0;
  std::uint8_t width = 0;  // 0: no bits (a field that always applies has no selector)

  constexpr unsigned end() const { return first + width; }
  friend constexpr bool operator==(BitRange, BitRange) = default;
};

// Parses an address as the maker's published sysex format writes it: "n:b"
// for one bit, or "hi:bh-lo:bl", most significant bit first (a bit number
// of 8 or more runs on into the next byte, so "16:8" is "17:0"). In a
// constant expression a malformed address does not compile; otherwise it
// gives a range of width 0.
constexpr BitRange ParseBitAddress(std::string_view text);

// "n:b" or "hi:bh-lo:bl" for a range, the form ParseBitAddress reads.
std::string FormatBitAddress(BitRange bits);

// The field's value in `bytes`: its bits from least to most significant.
// Bits past the end of `bytes` read as 0.
std::uint32_t ReadBits(std::span<const std::uint8_t> bytes, BitRange bits);

// Both kinds are decoded, put in parameter vectors and compared, so that no
// bit of a sound or of effects goes unseen; a caller that wants only what
// the keyboard edits skips the spares.
enum class FieldKind : std::uint8_t {
  kParameter,  // a parameter the keyboard edits
  kSpare,      // spare or deleted: left-over bits that no edit page shows
};

// How the keyboard shows a raw value.
enum class Display : std::uint8_t {
  kNumber,          // raw + offset
  kChoice,          // the raw value's name in `choices`; past the list, the number
  kNote,            // a MIDI note name, 0 = C-2 (60 = C3)
  kCharacter,       // a name character: raw + 32, in single quotes
  kSevenBitSigned,  // 7-bit two's complement: 127 is -1
};

// Whether a field applies: when the value of the `selector` bits is one of
// `values` (bit v set for value v). Fields in a variant of the layout (a
// pitch effect's chorus or resonator parameters over the same bits) carry
// one; a selector of width 0 means always.
struct Condition {
  BitRange selector;
  std::uint32_t values = 0;
};

struct FieldLayout {
  // As the edit pages and the format call it; drums' fields without their
  // "Drum n" (see instance). FieldLabel gives the whole label.
  std::string_view name;
  BitRange bits;
  // Shown = raw + offset for kNumber; 0 for the rest.
  std::int16_t offset = 0;
  // The highest raw value the format documents; real data go past it now
  // and then, and such values are shown as they are.
  std::uint16_t limit = 0;
  // The edit page group it is shown in ("Pitch", "Amp Env", "Reverb Send 1").
  std::string_view group;
  // Where the format's direct editing reaches it; -1 where it gives none.
  std::int8_t send = -1;
  std::int8_t function = -1;
  std::int8_t page = -1;
  std::int8_t pot = -1;
  // The drum (1 to 10) a drum sound's field belongs to; 0 for other fields.
  std::uint8_t instance = 0;
  FieldKind kind = FieldKind::kParameter;
  Display display = Display::kNumber;
  std::span<const std::string_view> choices;
  Condition when;
};

// Whether `field` applies to `bytes` (its condition holds).
bool FieldApplies(std::span<const std::uint8_t> bytes, const FieldLayout& field);

// The field's name as a user reads it: "Drum 3 Sample Group" for a drum's
// field, "Spare 81:7-81:1" for a spare, the name otherwise.
std::string FieldLabel(const FieldLayout& field);

// Whether `raw` lies within the documented range. Spare fields have none and
// are always in range.
bool InRange(const FieldLayout& field, std::uint32_t raw);

// The value as the keyboard shows it (see Display). Values past the
// documented range are shown the same way, never clamped.
std::string ShownValue(const FieldLayout& field, std::uint32_t raw);

// --- Building tables ---------------------------------------------------------

namespace table {

// A row as the format writes it: name, direct-editing function, page, pot,
// offset, limit, bits and address. The bit count must agree with the
// address, or the table does not compile.
constexpr FieldLayout Row(std::string_view group, std::string_view name, int function, int page,
                          int pot, int offset, int limit, int bits, std::string_view address);
// An effects row: the send (0 to 3, -1 for "x") comes before the function.
constexpr FieldLayout EffectRow(std::string_view group, std::string_view name, int send,
                                int function, int page, int pot, int offset, int limit, int bits,
                                std::string_view address);
// Bits no edit page shows; they have no range (limit 0).
constexpr FieldLayout Spare(std::string_view group, int bits, std::string_view address);
constexpr FieldLayout SpareBits(std::string_view group, BitRange bits) {
  FieldLayout field;
  field.name = "Spare";
  field.group = group;
  field.bits = bits;
  field.kind = FieldKind::kSpare;
  return field;
}

constexpr FieldLayout Shown(FieldLayout field, Display display,
                            std::span<const std::string_view> choices = {}) {
  field.display = display;
  field.choices = choices;
  return field;
}
constexpr FieldLayout AsSpare(FieldLayout field) {
  field.kind = FieldKind::kSpare;
  return field;
}
constexpr FieldLayout When(FieldLayout field, std::string_view selector, std::uint32_t values) {
  field.when = {ParseBitAddress(selector), values};
  return field;
}
// The same field moved by `bits` bits, for the next of a run of equal
// blocks (the ten drums), numbered `instance`.
constexpr FieldLayout Moved(FieldLayout field, unsigned bits, std::uint8_t instance) {
  field.bits.first = static_cast<std::uint16_t>(field.bits.first + bits);
  field.instance = instance;
  return field;
}

}  // namespace table

// --- Implementation of the constant-expression parts -------------------------

namespace internal {

// Thrown only in constant evaluation, where it stops the compilation.
struct BadTable {};

constexpr bool ParseNumber(std::string_view text, std::size_t* at, unsigned* value) {
  const std::size_t start = *at;
  unsigned n = 0;
  while (*at < text.size() && text[*at] >= '0' && text[*at] <= '9') {
    n = n * 10 + static_cast<unsigned>(text[*at] - '0');
    ++*at;
  }
  *value = n;
  return *at > start;
}

constexpr bool ParseBit(std::string_view text, std::size_t* at, unsigned* bit) {
  unsigned byte = 0;
  unsigned in_byte = 0;
  if (!ParseNumber(text, at, &byte)) return false;
  if (*at >= text.size() || text[*at] != ':') return false;
  ++*at;
  if (!ParseNumber(text, at, &in_byte)) return false;
  *bit = 8 * byte + in_byte;
  return true;
}

constexpr void Require(bool condition) {
  if (!condition) throw BadTable{};
}

}  // namespace internal

constexpr BitRange ParseBitAddress(std::string_view text) {
  std::size_t at = 0;
  unsigned high = 0;
  if (!internal::ParseBit(text, &at, &high)) return {};
  unsigned low = high;
  if (at < text.size()) {
    if (text[at] != '-') return {};
    ++at;
    if (!internal::ParseBit(text, &at, &low)) return {};
  }
  if (at != text.size() || low > high || high - low >= 32) return {};
  return {static_cast<std::uint16_t>(low), static_cast<std::uint8_t>(high - low + 1)};
}

namespace table {

constexpr FieldLayout Row(std::string_view group, std::string_view name, int function, int page,
                          int pot, int offset, int limit, int bits, std::string_view address) {
  FieldLayout field;
  field.name = name;
  field.group = group;
  field.bits = ParseBitAddress(address);
  internal::Require(field.bits.width != 0 && field.bits.width == bits);
  internal::Require(limit >= 0 && limit < (1 << bits));
  field.offset = static_cast<std::int16_t>(offset);
  field.limit = static_cast<std::uint16_t>(limit);
  field.function = static_cast<std::int8_t>(function);
  field.page = static_cast<std::int8_t>(page);
  field.pot = static_cast<std::int8_t>(pot);
  return field;
}

constexpr FieldLayout EffectRow(std::string_view group, std::string_view name, int send,
                                int function, int page, int pot, int offset, int limit, int bits,
                                std::string_view address) {
  FieldLayout field = Row(group, name, function, page, pot, offset, limit, bits, address);
  field.send = static_cast<std::int8_t>(send);
  return field;
}

constexpr FieldLayout Spare(std::string_view group, int bits, std::string_view address) {
  const FieldLayout field = SpareBits(group, ParseBitAddress(address));
  internal::Require(field.bits.width != 0 && field.bits.width == bits);
  return field;
}

}  // namespace table

}  // namespace dravelin::params

#endif  // DRAVELIN_PARAMS_FIELD_LAYOUT_H_
