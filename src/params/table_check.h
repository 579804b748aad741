// Compile-time checks of field tables: that the fields of a table (those
// that always apply) cover the bits of their data once each.

#ifndef DRAVELIN_PARAMS_TABLE_CHECK_H_
#define DRAVELIN_PARAMS_TABLE_CHECK_H_

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "params/field_layout.h"

namespace dravelin::params::table {

// True when every bit from 0 to `bits` - 1 belongs to exactly one field of
// `fields` and no field reaches past them. For tables without conditional
// fields.
template <std::size_t kBits, std::size_t kFields>
constexpr bool TilesExactly(const std::array<FieldLayout, kFields>& fields) {
  std::array<int, kBits> owners{};
  for (const FieldLayout& field : fields) {
    if (field.when.selector.width != 0 || field.bits.end() > kBits) return false;
    for (unsigned bit = field.bits.first; bit < field.bits.end(); ++bit) ++owners[bit];
  }
  return std::all_of(owners.begin(), owners.end(), [](int n) { return n == 1; });
}

// The fields of all parts, end to end.
template <std::size_t... kSizes>
constexpr auto Concat(const std::array<FieldLayout, kSizes>&... parts) {
  std::array<FieldLayout, (kSizes + ...)> all{};
  std::size_t at = 0;
  ((std::copy(parts.begin(), parts.end(), all.begin() + static_cast<std::ptrdiff_t>(at)),
    at += kSizes),
   ...);
  return all;
}

// Spare fields over bits kFirst to kEnd - 1, one for each byte they touch.
template <unsigned kFirst, unsigned kEnd>
constexpr auto SpareRun(std::string_view group) {
  static_assert(kFirst < kEnd);
  constexpr std::size_t kPieces = (kEnd - 1) / 8 - kFirst / 8 + 1;
  std::array<FieldLayout, kPieces> spares{};
  unsigned bit = kFirst;
  for (FieldLayout& spare : spares) {
    const unsigned next = std::min(kEnd, (bit / 8 + 1) * 8);
    spare =
        SpareBits(group, {static_cast<std::uint16_t>(bit), static_cast<std::uint8_t>(next - bit)});
    bit = next;
  }
  return spares;
}

// The fields with the condition that `selector` holds one of `values`.
template <std::size_t kSize>
constexpr auto WhenAll(std::array<FieldLayout, kSize> fields, std::string_view selector,
                       std::uint32_t values) {
  for (FieldLayout& field : fields) field = When(field, selector, values);
  return fields;
}

}  // namespace dravelin::params::table

#endif  // DRAVELIN_PARAMS_TABLE_CHECK_H_
