#include "tools/sysex/field_writer.h"

#include "params/effects_fields.h"

namespace dravelin::sysex {
namespace {

// A small generator of field values, one value from each call.
class Values {
 public:
  explicit Values(std::uint32_t seed) : state_(seed * 2654435761u + 0x2545F491u) {}

  // A value from 0 to `limit`.
  std::uint32_t UpTo(std::uint32_t limit) {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_ % (limit + 1);
  }

 private:
  std::uint32_t state_;
};

// A value the field documents.
std::uint32_t InRangeValue(const params::FieldLayout& field, Values& values) {
  if (field.kind == params::FieldKind::kSpare) return 0;
  if (field.display == params::Display::kSevenBitSigned) {
    return RawForValue(field, static_cast<int>(values.UpTo(2u * field.limit)) - field.limit);
  }
  return values.UpTo(field.limit);
}

void FillFields(std::span<std::uint8_t> bytes, std::span<const params::FieldLayout> fields,
                Values& values) {
  for (const params::FieldLayout& field : fields) {
    if (params::FieldApplies(bytes, field)) SetRawField(bytes, field, InRangeValue(field, values));
  }
}

}  // namespace

void SetRawField(std::span<std::uint8_t> bytes, const params::FieldLayout& field, std::uint32_t raw) {
  for (unsigned i = 0; i < field.bits.width; ++i) {
    const unsigned bit = field.bits.first + i;
    const auto mask = static_cast<std::uint8_t>(1u << (bit % 8));
    if ((raw >> i) & 1u) {
      bytes[bit / 8] = static_cast<std::uint8_t>(bytes[bit / 8] | mask);
    } else {
      bytes[bit / 8] = static_cast<std::uint8_t>(bytes[bit / 8] & ~mask);
    }
  }
}

std::uint32_t RawForValue(const params::FieldLayout& field, int value) {
  switch (field.display) {
    case params::Display::kNumber:
      return static_cast<std::uint32_t>(value - field.offset);
    case params::Display::kSevenBitSigned:
      return static_cast<std::uint32_t>(value) & ((1u << field.bits.width) - 1);
    case params::Display::kChoice:
    case params::Display::kNote:
    case params::Display::kCharacter:
      break;
  }
  return static_cast<std::uint32_t>(value);
}

void SetFieldValue(std::span<std::uint8_t> bytes, const params::FieldLayout& field, int value) {
  SetRawField(bytes, field, RawForValue(field, value));
}

SoundBlock MakeSoundOfKind(params::SoundKind kind, std::uint32_t seed) {
  SoundBlock sound{};
  const auto fields = params::SoundFields(kind);
  Values values(seed);
  FillFields(sound, fields, values);
  SetRawField(sound, fields.front(), kind == params::SoundKind::kDrum ? 1 : 0);
  SetRawField(sound, params::SoundEnableField(kind), 1);
  return sound;
}

EffectsData MakeEffectsOfConfiguration(unsigned configuration, std::uint32_t seed) {
  EffectsData data{};
  SetRawField(data, params::EffectsConfigurationField(), configuration);
  Values values(seed);
  for (const params::FieldLayout& field : params::EffectsFields(configuration)) {
    if (field.bits == params::EffectsConfigurationField().bits) continue;
    if (params::FieldApplies(data, field)) SetRawField(data, field, InRangeValue(field, values));
  }
  return data;
}

}  // namespace dravelin::sysex
