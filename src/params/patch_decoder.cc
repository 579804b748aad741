#include "params/patch_decoder.h"

#include <algorithm>
#include <span>

#include "params/effects_fields.h"

namespace dravelin::params {
namespace {

// The group a field is shown in: a drum's fields by drum.
std::string GroupTitle(const FieldLayout& field) {
  if (field.instance != 0) return "Drum " + std::to_string(field.instance);
  return std::string(field.group);
}

// The fields of `fields` that apply to `bytes`, grouped by GroupTitle in
// the order of each group's first field.
std::vector<FieldGroup> Grouped(std::span<const FieldLayout> fields,
                                std::span<const std::uint8_t> bytes) {
  std::vector<FieldGroup> groups;
  for (const FieldLayout& field : fields) {
    if (!FieldApplies(bytes, field)) continue;
    std::string title = GroupTitle(field);
    auto group = std::find_if(groups.begin(), groups.end(),
                              [&](const FieldGroup& g) { return g.title == title; });
    if (group == groups.end()) {
      groups.push_back({std::move(title), {}});
      group = groups.end() - 1;
    }
    group->fields.push_back({&field, ReadBits(bytes, field.bits)});
  }
  return groups;
}

std::string SoundPrefix(int slot) { return "Sound " + std::to_string(slot); }

const char* KindName(SoundKind kind) { return kind == SoundKind::kDrum ? "Drum" : "Keyboard"; }

// Differences between the applying fields of two byte strings laid out by
// the same table.
void CompareFields(std::span<const FieldLayout> fields, std::span<const std::uint8_t> a,
                   std::span<const std::uint8_t> b, PartKind part, int sound,
                   std::vector<FieldDifference>* differences) {
  for (const FieldLayout& field : fields) {
    const bool in_a = FieldApplies(a, field);
    const bool in_b = FieldApplies(b, field);
    if (!in_a && !in_b) continue;
    std::optional<std::uint32_t> first;
    std::optional<std::uint32_t> second;
    if (in_a) first = ReadBits(a, field.bits);
    if (in_b) second = ReadBits(b, field.bits);
    if (first != second) differences->push_back({part, sound, &field, first, second});
  }
}

}  // namespace

std::optional<EffectsData> PatchEffects(const Bank& bank, const Patch& patch) {
  const std::span<const std::uint8_t> message = EffectsMessage(bank, patch);
  if (!IsEffectsDump(message)) return std::nullopt;
  return UnpackEffectsData(message.first<kEffectsDumpSize>());
}

DecodedPart DecodeCommon(const Patch& patch) {
  DecodedPart part;
  part.kind = PartKind::kCommon;
  part.title = "Program";
  part.groups = Grouped(ProgramCommonFields(), patch.common);
  return part;
}

DecodedPart DecodeSound(const SoundBlock& sound, int slot) {
  DecodedPart part;
  part.kind = PartKind::kSound;
  part.sound = slot;
  part.enabled = IsSoundEnabled(sound);
  const SoundKind kind = KindOfSound(sound);
  part.title = SoundPrefix(slot) + " (" + KindName(kind) + (part.enabled ? ")" : ", Disabled)");
  part.groups = Grouped(SoundFields(kind), sound);
  return part;
}

DecodedPart DecodeEffects(const EffectsData& effects) {
  DecodedPart part;
  part.kind = PartKind::kEffects;
  const unsigned configuration = EffectsConfiguration(effects);
  part.title = "Effects (Configuration " + std::to_string(configuration);
  if (configuration < kEffectsConfigurations) {
    part.title += ": " + ShownValue(EffectsConfigurationField(), configuration);
  }
  part.title += ")";
  part.groups = Grouped(EffectsFields(configuration), effects);
  return part;
}

std::vector<DecodedPart> DecodePatch(const Bank& bank, const Patch& patch) {
  std::vector<DecodedPart> parts;
  parts.push_back(DecodeCommon(patch));
  for (std::size_t k = 0; k < kSoundsPerPatch; ++k) {
    parts.push_back(DecodeSound(patch.sounds[k], static_cast<int>(k)));
  }
  if (const std::optional<EffectsData> effects = PatchEffects(bank, patch)) {
    parts.push_back(DecodeEffects(*effects));
  }
  return parts;
}

const std::vector<std::uint32_t>& DisabledSoundVector() {
  static const std::vector<std::uint32_t> kDisabled(SoundFields(SoundKind::kKeyboard).size(), 0);
  return kDisabled;
}

std::vector<std::uint32_t> SoundParameterVector(const SoundBlock& sound) {
  if (!IsSoundEnabled(sound)) return DisabledSoundVector();
  const std::span<const FieldLayout> fields = SoundFields(KindOfSound(sound));
  std::vector<std::uint32_t> vector;
  vector.reserve(fields.size());
  for (const FieldLayout& field : fields) vector.push_back(ReadBits(sound, field.bits));
  return vector;
}

std::vector<std::uint32_t> EffectsParameterVector(const EffectsData& effects) {
  const std::span<const FieldLayout> fields = EffectsFields(EffectsConfiguration(effects));
  std::vector<std::uint32_t> vector;
  vector.reserve(fields.size());
  for (const FieldLayout& field : fields) {
    vector.push_back(FieldApplies(effects, field) ? ReadBits(effects, field.bits) : 0);
  }
  return vector;
}

std::string DescribeDifference(const FieldDifference& difference) {
  std::string text;
  if (difference.part == PartKind::kSound) text = SoundPrefix(difference.sound) + " ";
  if (difference.part == PartKind::kEffects) text = "Effects ";
  text += FieldLabel(*difference.field);
  text += ": ";
  text += difference.first ? ShownValue(*difference.field, *difference.first) : "-";
  text += " / ";
  text += difference.second ? ShownValue(*difference.field, *difference.second) : "-";
  return text;
}

Comparison CompareCommon(const Patch& a, const Patch& b) {
  Comparison comparison;
  CompareFields(ProgramCommonFields(), a.common, b.common, PartKind::kCommon, -1,
                &comparison.differences);
  return comparison;
}

Comparison CompareSounds(const SoundBlock& a, const SoundBlock& b, int slot) {
  Comparison comparison;
  const bool a_enabled = IsSoundEnabled(a);
  const bool b_enabled = IsSoundEnabled(b);
  if (!a_enabled && !b_enabled) return comparison;
  const SoundKind a_kind = KindOfSound(a);
  const SoundKind b_kind = KindOfSound(b);
  if (a_enabled != b_enabled) {
    // Named after the enabled sound's layout; both values are shown the
    // same way whatever the kind.
    const FieldLayout& enable = SoundEnableField(a_enabled ? a_kind : b_kind);
    comparison.differences.push_back(
        {PartKind::kSound, slot, &enable, std::uint32_t{a_enabled}, std::uint32_t{b_enabled}});
    return comparison;
  }
  if (a_kind != b_kind) {
    comparison.comparable = false;
    const FieldLayout& mode = SoundFields(a_kind).front();
    comparison.differences.push_back(
        {PartKind::kSound, slot, &mode, ReadBits(a, mode.bits), ReadBits(b, mode.bits)});
    return comparison;
  }
  CompareFields(SoundFields(a_kind), a, b, PartKind::kSound, slot, &comparison.differences);
  return comparison;
}

Comparison ComparePatchSounds(const Patch& a, const Patch& b) {
  Comparison comparison;
  for (std::size_t k = 0; k < kSoundsPerPatch; ++k) {
    Comparison sound = CompareSounds(a.sounds[k], b.sounds[k], static_cast<int>(k));
    comparison.comparable = comparison.comparable && sound.comparable;
    comparison.differences.insert(comparison.differences.end(), sound.differences.begin(),
                                  sound.differences.end());
  }
  return comparison;
}

Comparison CompareEffects(const std::optional<EffectsData>& a,
                          const std::optional<EffectsData>& b) {
  Comparison comparison;
  if (!a && !b) return comparison;
  if (!a || !b) {
    comparison.comparable = false;
    return comparison;
  }
  const unsigned a_configuration = EffectsConfiguration(*a);
  const unsigned b_configuration = EffectsConfiguration(*b);
  if (a_configuration != b_configuration) {
    comparison.comparable = false;
    comparison.differences.push_back(
        {PartKind::kEffects, -1, &EffectsConfigurationField(), a_configuration, b_configuration});
    return comparison;
  }
  CompareFields(EffectsFields(a_configuration), *a, *b, PartKind::kEffects, -1,
                &comparison.differences);
  return comparison;
}

}  // namespace dravelin::params
