#include "details/patch_details.h"

#include <algorithm>
#include <functional>
#include <numeric>
#include <optional>
#include <unordered_map>
#include <unordered_set>

#include "params/effects_fields.h"
#include "params/patch_decoder.h"
#include "params/sound_fields.h"

namespace dravelin {
namespace {

using params::DecodedPart;
using params::FieldKind;
using params::FieldLayout;

constexpr std::size_t kLabelWidth = 32;
constexpr std::size_t kValueWidth = 22;
// Past any count of differing parameters: two sounds that cannot be held
// against each other.
constexpr int kApart = 1000;

constexpr std::string_view kLegendOne[] = {
    "Every parameter with its value as the keyboard shows it, grouped as the edit pages",
    "group them; ! follows a value past its documented range.",
};
constexpr std::string_view kLegendTwo[] = {
    "Every parameter with its value as the keyboard shows it, grouped as the edit pages",
    "group them: the first patch's value, then the second's. * marks a parameter that",
    "differs as near twins count it, ~ bits that differ but never count (spare bits, what",
    "a switched-off sound holds); ! follows a value past its documented range. The second",
    "patch's sounds stand beside the first's in the order that pairs them best.",
};

int CountingDifferences(const params::Comparison& comparison) {
  if (!comparison.comparable) return kApart;
  return static_cast<int>(std::count_if(
      comparison.differences.begin(), comparison.differences.end(),
      [](const params::FieldDifference& d) { return d.field->kind != FieldKind::kSpare; }));
}

struct Row {
  const FieldLayout* field = nullptr;
  std::string_view group;
  std::optional<std::uint32_t> first;
  std::optional<std::uint32_t> second;
};

std::string Shown(const FieldLayout& field, std::optional<std::uint32_t> raw) {
  if (!raw) return "-";
  std::string text = params::ShownValue(field, *raw);
  if (!params::InRange(field, *raw)) text += '!';
  return text;
}

void PadTo(std::string& line, std::size_t width) {
  if (line.size() < width)
    line.resize(width, ' ');
  else
    line += ' ';
}

class DetailsWriter {
 public:
  explicit DetailsWriter(bool two) : two_(two) {}

  // Writes a part, or two side by side (`second` null for one patch, or
  // where the second patch lacks the part). `same_layout`: both parts'
  // fields come from one table, so rows pair field by field.
  void WritePart(const DecodedPart& first, const DecodedPart* second, bool same_layout,
                 const params::Comparison* comparison) {
    std::string heading = first.title;
    if (two_)
      heading += " / " + (second != nullptr ? second->title : std::string("No effects dump"));
    lines_.push_back(heading);
    std::vector<Row> rows;
    std::unordered_map<const FieldLayout*, std::size_t> row_of;
    for (const params::FieldGroup& group : first.groups) {
      for (const params::FieldValue& value : group.fields) {
        row_of.emplace(value.field, rows.size());
        rows.push_back({value.field, group.title, value.raw, std::nullopt});
      }
    }
    if (second != nullptr) {
      for (const params::FieldGroup& group : second->groups) {
        for (const params::FieldValue& value : group.fields) {
          const auto found = same_layout ? row_of.find(value.field) : row_of.end();
          if (found != row_of.end()) {
            rows[found->second].second = value.raw;
          } else {
            rows.push_back({value.field, group.title, std::nullopt, value.raw});
          }
        }
      }
    }
    // One table's fields in its order; each group where its first field is.
    if (same_layout) {
      std::stable_sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) {
        return std::less<const FieldLayout*>()(a.field, b.field);
      });
    }
    std::vector<std::string_view> titles;
    for (const Row& row : rows) {
      if (std::find(titles.begin(), titles.end(), row.group) == titles.end()) {
        titles.push_back(row.group);
      }
    }
    std::unordered_set<const FieldLayout*> counted;
    if (comparison != nullptr) {
      for (const params::FieldDifference& difference : comparison->differences) {
        if (difference.field->kind != FieldKind::kSpare) counted.insert(difference.field);
      }
    }
    for (std::string_view title : titles) {
      lines_.push_back("  " + std::string(title));
      for (const Row& row : rows) {
        if (row.group != title) continue;
        char mark = ' ';
        if (counted.contains(row.field)) {
          mark = '*';
        } else if (two_ && second != nullptr && same_layout && row.first != row.second) {
          mark = '~';
        }
        std::string line = "  ";
        line += mark;
        line += ' ';
        line += params::FieldLabel(*row.field);
        PadTo(line, kLabelWidth);
        line += Shown(*row.field, row.first);
        if (two_) {
          PadTo(line, kLabelWidth + kValueWidth);
          line += Shown(*row.field, row.second);
        }
        lines_.push_back(std::move(line));
      }
    }
    lines_.emplace_back();
  }

  std::vector<std::string>& lines() { return lines_; }

 private:
  bool two_;
  std::vector<std::string> lines_;
};

}  // namespace

std::array<std::size_t, kSoundsPerPatch> SideBySideSlots(const Patch& first, const Patch& second) {
  std::array<std::array<int, kSoundsPerPatch>, kSoundsPerPatch> apart{};
  for (std::size_t i = 0; i < kSoundsPerPatch; ++i) {
    for (std::size_t j = 0; j < kSoundsPerPatch; ++j) {
      apart[i][j] = CountingDifferences(
          params::CompareSounds(first.sounds[i], second.sounds[j], static_cast<int>(i)));
    }
  }
  std::array<std::size_t, kSoundsPerPatch> order{};
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::array<std::size_t, kSoundsPerPatch> best = order;
  int least = -1;
  do {
    int total = 0;
    for (std::size_t i = 0; i < kSoundsPerPatch; ++i) total += apart[i][order[i]];
    if (least < 0 || total < least) {
      least = total;
      best = order;
    }
  } while (std::next_permutation(order.begin(), order.end()));
  return best;
}

std::vector<std::string> PatchDetailsLines(std::span<const NamedPatch> patches) {
  if (patches.empty()) return {};
  const bool two = patches.size() >= 2;
  const NamedPatch& a = patches[0];
  DetailsWriter writer(two);
  std::vector<std::string>& lines = writer.lines();
  lines.push_back(LabelOf(a) + (two ? " / " + LabelOf(patches[1]) : std::string()));
  for (std::string_view line : two ? std::span<const std::string_view>(kLegendTwo)
                                   : std::span<const std::string_view>(kLegendOne)) {
    lines.emplace_back(line);
  }
  lines.emplace_back();
  const std::optional<EffectsData> a_effects = params::PatchEffects(*a.bank, *a.patch);
  if (!two) {
    for (const DecodedPart& part : params::DecodePatch(*a.bank, *a.patch)) {
      writer.WritePart(part, nullptr, false, nullptr);
    }
    return std::move(lines);
  }
  const NamedPatch& b = patches[1];
  const Patch& pa = *a.patch;
  const Patch& pb = *b.patch;
  {
    const params::Comparison common = params::CompareCommon(pa, pb);
    const DecodedPart b_common = params::DecodeCommon(pb);
    writer.WritePart(params::DecodeCommon(pa), &b_common, true, &common);
  }
  const std::array<std::size_t, kSoundsPerPatch> slots = SideBySideSlots(pa, pb);
  for (std::size_t i = 0; i < kSoundsPerPatch; ++i) {
    const SoundBlock& sa = pa.sounds[i];
    const SoundBlock& sb = pb.sounds[slots[i]];
    const params::Comparison sounds = params::CompareSounds(sa, sb, static_cast<int>(i));
    const DecodedPart b_sound = params::DecodeSound(sb, static_cast<int>(slots[i]));
    writer.WritePart(params::DecodeSound(sa, static_cast<int>(i)), &b_sound,
                     params::KindOfSound(sa) == params::KindOfSound(sb), &sounds);
  }
  const std::optional<EffectsData> b_effects = params::PatchEffects(*b.bank, *b.patch);
  if (a_effects || b_effects) {
    const params::Comparison effects = params::CompareEffects(a_effects, b_effects);
    const bool same_layout =
        a_effects && b_effects &&
        params::EffectsConfiguration(*a_effects) == params::EffectsConfiguration(*b_effects);
    if (a_effects) {
      const std::optional<DecodedPart> b_part =
          b_effects ? std::optional(params::DecodeEffects(*b_effects)) : std::nullopt;
      writer.WritePart(params::DecodeEffects(*a_effects), b_part ? &*b_part : nullptr, same_layout,
                       &effects);
    } else {
      // Only the second patch has effects: its part, the first's column empty.
      DecodedPart none;
      none.title = "No effects dump";
      const DecodedPart b_part = params::DecodeEffects(*b_effects);
      writer.WritePart(none, &b_part, false, &effects);
    }
  }
  return std::move(lines);
}

}  // namespace dravelin
