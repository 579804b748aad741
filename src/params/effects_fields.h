// The fields of a user effects dump: a common part, then one of five
// configurations, each with its own layout, as the maker's published sysex
// format lays them out over the unpacked effects data.

#ifndef DRAVELIN_PARAMS_EFFECTS_FIELDS_H_
#define DRAVELIN_PARAMS_EFFECTS_FIELDS_H_

#include <span>

#include "banks/effects_dump.h"
#include "params/field_layout.h"

namespace dravelin::params {

// Configurations 0 to 4 are documented; the 4-bit field can hold up to 15.
inline constexpr unsigned kEffectsConfigurations = 5;

// The "Configuration" field, in every configuration's table.
const FieldLayout& EffectsConfigurationField();

// The configuration the data use (0 to 15).
unsigned EffectsConfiguration(const EffectsData& data);

// The fields of `configuration`, over kEffectsDataSize bytes: the common
// part (the deleted name characters and the configuration), the
// configuration's sends, and a spare byte 64 that the format leaves out.
// Where a send's type picks one of several layouts of the same bits
// (chorus, pitch detune or resonator; mono, stereo or ping-pong delay), each
// layout's fields carry the condition that picks them, and an undocumented
// type shows those bits as spares; whatever the types, the fields that apply
// cover all 520 bits once each. Configuration 4 leaves bits that the format
// does not place; they are spares too, and its "Send 1 overdrive mix" is
// left out: the format gives it the bits of "Send 1 lezlie mix". A
// configuration past 4 gives the common part and the rest as spares.
std::span<const FieldLayout> EffectsFields(unsigned configuration);

}  // namespace dravelin::params

#endif  // DRAVELIN_PARAMS_EFFECTS_FIELDS_H_
