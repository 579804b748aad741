// Every parameter of a patch, decoded: the common part, the four sounds and
// the effects, each field with its raw value and its value as the keyboard
// shows it, grouped as the edit pages group them; each sound's and the
// effects' parameter vector; and the differences between two patches, field
// by field, in the keyboard's own terms.

#ifndef DRAVELIN_PARAMS_PATCH_DECODER_H_
#define DRAVELIN_PARAMS_PATCH_DECODER_H_

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "banks/bank.h"
#include "banks/effects_dump.h"
#include "banks/patch.h"
#include "params/field_layout.h"
#include "params/sound_fields.h"

namespace dravelin::params {

// One field and its raw value.
struct FieldValue {
  const FieldLayout* field = nullptr;
  std::uint32_t raw = 0;

  std::string label() const { return FieldLabel(*field); }
  std::string shown() const { return ShownValue(*field, raw); }
  bool in_range() const { return InRange(*field, raw); }
};

// The fields of one edit page group, in the table's order.
struct FieldGroup {
  std::string title;  // "Pitch", "Amp Env", "Drum 3", "Reverb Send 1"
  std::vector<FieldValue> fields;
};

enum class PartKind : std::uint8_t { kCommon, kSound, kEffects };

// One part of a patch: its common part, one sound, or its effects.
struct DecodedPart {
  PartKind kind = PartKind::kCommon;
  // "Program", "Sound 0 (Keyboard)", "Sound 3 (Drum, Disabled)",
  // "Effects (Configuration 3: 2-Sends, with EQ)".
  std::string title;
  int sound = -1;  // 0 to 3 for a sound, as the reports number them
  // False for a sound that does not play: its fields other than its mode
  // and enable bit are left-over data.
  bool enabled = true;
  // Groups in the order of their first field in the table; a drum sound's
  // fields of drum n make the group "Drum n", its other fields "Mode" and
  // "Common". Fields of a layout that does not apply (another effect type's
  // parameters over the same bits) are left out.
  std::vector<FieldGroup> groups;
};

// The unpacked effects of `patch`, when its bank file holds its effects dump.
std::optional<EffectsData> PatchEffects(const Bank& bank, const Patch& patch);

DecodedPart DecodeCommon(const Patch& patch);
DecodedPart DecodeSound(const SoundBlock& sound, int slot);
DecodedPart DecodeEffects(const EffectsData& effects);

// The common part, sounds 0 to 3 and, when present, the effects of `patch`,
// a patch of `bank`. Never fails: values past the documented ranges are
// shown as they are.
std::vector<DecodedPart> DecodePatch(const Bank& bank, const Patch& patch);

// --- Parameter vectors -------------------------------------------------------

// One value per field of the sound's kind (SoundFields), in table order,
// spares included, so that an index can mask one field at a time. A
// disabled sound gives kDisabledSoundVector: every disabled sound alike,
// whatever its left-over data and kind; an enabled sound's vector never
// equals it (its enable field is 1).
std::vector<std::uint32_t> SoundParameterVector(const SoundBlock& sound);
// Zeros, one for each field of a keyboard sound.
const std::vector<std::uint32_t>& DisabledSoundVector();

// One value per field of the data's configuration (EffectsFields), in table
// order; a field whose layout does not apply holds 0.
std::vector<std::uint32_t> EffectsParameterVector(const EffectsData& effects);

// --- Differences -------------------------------------------------------------

// A field whose value differs between two patches. A value is absent where
// the field does not apply on that side (another layout of the same bits).
struct FieldDifference {
  PartKind part = PartKind::kCommon;
  int sound = -1;  // 0 to 3 when part is kSound
  const FieldLayout* field = nullptr;
  std::optional<std::uint32_t> first;
  std::optional<std::uint32_t> second;
};

// "Sound 1 Effect Level: 90 / 99", "Effects Send 1 Reverb Decay: 40 / -",
// "ROM Identifier: QS / QS+": the part, the label, then both shown values
// ("-" for an absent one).
std::string DescribeDifference(const FieldDifference& difference);

struct Comparison {
  // False when the two sides have different layouts (sounds of two kinds,
  // effects of two configurations, effects on one side only): the
  // differences then name only what tells the layouts apart, and the two
  // cannot be called near.
  bool comparable = true;
  std::vector<FieldDifference> differences;
};

// The common parts: the spare byte, the name characters and the ROM
// identifier.
Comparison CompareCommon(const Patch& a, const Patch& b);

// Sound `a` against sound `b`, both labelled as sound `slot`. Two disabled
// sounds never differ; when one of them is disabled the one difference is
// the enable field; two enabled sounds of one kind are compared field by
// field, spares included; two of different kinds differ in their mode and
// are not comparable.
Comparison CompareSounds(const SoundBlock& a, const SoundBlock& b, int slot);

// Sound k of `a` against sound k of `b`, for k from 0 to 3, one after the
// other; comparable when all four are.
Comparison ComparePatchSounds(const Patch& a, const Patch& b);

// Two patches' effects (absent when a bank file holds none for the patch).
// Of one configuration, field by field, a field that applies on one side
// only counting as a difference; of two configurations, the configuration
// differs and they are not comparable; one side absent, not comparable,
// with no field named.
Comparison CompareEffects(const std::optional<EffectsData>& a, const std::optional<EffectsData>& b);

}  // namespace dravelin::params

#endif  // DRAVELIN_PARAMS_PATCH_DECODER_H_
