// The fields of a program: its common part and each of its four sounds, a
// keyboard sound or a drum sound, as the maker's published sysex format lays
// them out over the unpacked program data.

#ifndef DRAVELIN_PARAMS_SOUND_FIELDS_H_
#define DRAVELIN_PARAMS_SOUND_FIELDS_H_

#include <cstdint>
#include <span>

#include "banks/patch.h"
#include "params/field_layout.h"

namespace dravelin::params {

enum class SoundKind : std::uint8_t { kKeyboard, kDrum };

// A sound is a drum sound when bit 0 of its first byte is set.
SoundKind KindOfSound(const SoundBlock& sound);

// The fields of the common part, over Patch::common (kProgramCommonSize
// bytes): two spares, the ten name characters and the ROM identifier. They
// cover its 80 bits once each.
std::span<const FieldLayout> ProgramCommonFields();

// The fields of a sound of `kind`, over its kSoundBlockSize bytes, in the
// format's order. Each table covers all 680 bits once: the keyboard sound
// with 122 parameters; the drum sound with its mode, ten drums of 15
// parameters and a spare bit each, its enable bit and drum number, and the
// spare bits the format leaves unused (0:7-0:1, 81:7-81:1, 84:7-82:4).
std::span<const FieldLayout> SoundFields(SoundKind kind);

// The "Enable" field of a sound of `kind`.
const FieldLayout& SoundEnableField(SoundKind kind);

// Whether the sound plays. A disabled sound's other bits are left-over
// data: they say nothing about the patch.
bool IsSoundEnabled(const SoundBlock& sound);

}  // namespace dravelin::params

#endif  // DRAVELIN_PARAMS_SOUND_FIELDS_H_
