// Sets parameter fields by value in unpacked program and effects data, for
// tests that build sounds and effects field by field and check that the
// decoder reads back what was written.

#ifndef DRAVELIN_TOOLS_SYSEX_FIELD_WRITER_H_
#define DRAVELIN_TOOLS_SYSEX_FIELD_WRITER_H_

#include <cstdint>
#include <span>

#include "banks/effects_dump.h"
#include "banks/patch.h"
#include "params/field_layout.h"
#include "params/sound_fields.h"

namespace dravelin::sysex {

// Writes the low bits of `raw` into the field's bits of `bytes` (the bytes
// its address counts from), one bit at a time; no other bit changes. Any
// raw value the field's width holds can be written, past the documented
// range too.
void SetRawField(std::span<std::uint8_t> bytes, const params::FieldLayout& field, std::uint32_t raw);

// The raw value that the keyboard shows as `value`: value - offset for a
// number, 7-bit two's complement for a signed field, the value itself for
// the rest (a choice's index, a note number, a character code).
std::uint32_t RawForValue(const params::FieldLayout& field, int value);

// SetRawField with RawForValue(field, value).
void SetFieldValue(std::span<std::uint8_t> bytes, const params::FieldLayout& field, int value);

// An enabled sound of `kind`: every other field that applies set to a value
// within its documented range derived from `seed`, spares zero.
SoundBlock MakeSoundOfKind(params::SoundKind kind, std::uint32_t seed);

// Effects data of `configuration` (0 to 15): the configuration set, then
// every field that applies, in table order, set to a value within its
// range derived from `seed` (so that each send's type picks one of its
// documented layouts), spares zero.
EffectsData MakeEffectsOfConfiguration(unsigned configuration, std::uint32_t seed);

}  // namespace dravelin::sysex

#endif  // DRAVELIN_TOOLS_SYSEX_FIELD_WRITER_H_
