#include "twins/near_twins_report.h"

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "collection/collection_report.h"
#include "collection/sound_groups.h"
#include "collection/sound_groups_report.h"
#include "compare/patch_label.h"
#include "params/patch_decoder.h"
#include "twins/effects_variants.h"
#include "twins/near_twins.h"

namespace dravelin {
namespace {

constexpr std::string_view kPlayAlikeLine = "Sound groups that play alike:";
constexpr std::string_view kEffectsLine = "Sound groups whose effects differ:";
constexpr std::string_view kNoneLine = "  none";

// How sounds are paired and counted, and how the report names things.
constexpr std::string_view kRules[] = {
    "Two patches are near twins when their sounds are not identical but differ in at most",
    "three parameters. Sounds count as the keyboard plays them: spare bits and what a",
    "switched-off sound holds never count, and neither slots nor repeats matter. Every",
    "sound either patch plays is paired with a sound the other plays: with itself where",
    "the other plays it too, otherwise so that the pairs differ in the fewest parameters",
    "in all (a sound may be in more than one pair). A sound may instead be paired with a",
    "switched-off slot of the other patch, one difference (its Enable), but only one",
    "patch of a pair may lend such slots. A keyboard sound and a drum sound never pair,",
    "and a patch that plays no sound has no near twin. Each difference is named with the",
    "first patch's value, then the second's; a sound is named by the first slot that",
    "holds it, both slots where they differ.",
    "Patches are held as sound groups, numbered as \"Print Sound Groups\" numbers them;",
    "where a side holds more than one patch, its groups' patches are listed. Groups whose",
    "sounds differ only in what never counts play alike and are listed together.",
};
constexpr std::string_view kEffectsRules[] = {
    "The patches of a sound group play identical sounds; their effects may still differ.",
    "Effects are held by their parameters (spare bits never count); patches whose bank",
    "file holds no effects dump take no part. Each group's different effects are",
    "numbered in the order of their first patch, and each is held against the first.",
};
constexpr std::string_view kBaseRule =
    "'Base' patches are marked (Base) and held against 'Compare' patches only.";

std::string Counted(std::size_t count, std::string_view one, std::string_view many) {
  return std::to_string(count) + " " + std::string(count == 1 ? one : many);
}

// "5", "5 and 9", "5, 9 and 12".
std::string NumberList(std::span<const GroupId> groups) {
  std::string text;
  for (std::size_t k = 0; k < groups.size(); ++k) {
    if (k > 0) text += k + 1 == groups.size() ? " and " : ", ";
    text += std::to_string(groups[k] + 1);
  }
  return text;
}

std::string GroupsNamed(std::span<const GroupId> groups) {
  return (groups.size() == 1 ? "group " : "groups ") + NumberList(groups);
}

class TwinsWriter {
 public:
  TwinsWriter(ReportChannel& channel, const NearTwins& twins)
      : channel_(channel),
        twins_(twins),
        groups_(twins.groups()),
        labels_(groups_.patches()) {}

  void WriteSummary(bool with_base, std::size_t effects_groups) {
    channel_.WriteReportLine(kNearTwinsLine);
    for (std::string_view line : kRules) channel_.WriteReportLine(line);
    if (with_base) channel_.WriteReportLine(kBaseRule);
    std::size_t alike_groups = 0;
    for (const std::vector<GroupId>& alike : twins_.play_alike()) alike_groups += alike.size();
    std::array<std::size_t, kMostDifferences + 1> pairs{};
    for (const NearTwinPair& pair : twins_.pairs()) {
      ++pairs[static_cast<std::size_t>(pair.differences)];
    }
    channel_.WriteReportLine("  Sound groups:                 " +
                             std::to_string(groups_.group_count()));
    channel_.WriteReportLine("  Groups that play alike:       " +
                             Counted(alike_groups, "group", "groups") + " in " +
                             Counted(twins_.play_alike().size(), "set", "sets"));
    for (std::size_t differences = 1; differences <= kMostDifferences; ++differences) {
      channel_.WriteReportLine("  Near twins in " +
                               Counted(differences, "parameter: ", "parameters:") + "   " +
                               Counted(pairs[differences], "pair", "pairs"));
    }
    channel_.WriteReportLine("  Groups whose effects differ:  " + std::to_string(effects_groups));
  }

  void WritePlayAlike(const std::vector<GroupId>& alike) {
    channel_.WriteReportLine("Groups " + NumberList(alike) + " play alike:");
    WritePairLine("  ", FirstMember(alike[0]), FirstMember(alike[1]));
    for (GroupId group : alike) WriteGroup(group);
    channel_.WriteReportLine("");
  }

  void WritePair(const NearTwinPair& pair) {
    const std::span<const GroupId> first_groups = twins_.groups_of(pair.first);
    const std::span<const GroupId> second_groups = twins_.groups_of(pair.second);
    std::string heading = GroupsNamed(first_groups) + " / " + GroupsNamed(second_groups) + ":";
    heading[0] = 'G';
    channel_.WriteReportLine(heading);
    const Ordinal first = FirstMember(first_groups.front());
    const Ordinal second = FirstMember(second_groups.front());
    WritePairLine("  ", first, second);
    for (const SoundMatch& match : pair.matches) WriteMatch(first, second, match);
    for (const std::span<const GroupId> side : {first_groups, second_groups}) {
      if (side.size() == 1 && groups_.members(side.front()).size() == 1) continue;
      for (GroupId group : side) WriteGroup(group);
    }
    channel_.WriteReportLine("");
  }

  void WriteEffects(const EffectsVariants& found) {
    channel_.WriteReportLine("Group " + std::to_string(found.group + 1) + ": " +
                             Counted(groups_.members(found.group).size(), "patch", "patches") +
                             ", " + std::to_string(found.variants.size()) +
                             " different effects");
    for (std::size_t k = 0; k < found.variants.size(); ++k) {
      WriteMembers("  Effects " + std::to_string(k + 1) + ": ", found.variants[k]);
    }
    if (!found.without_effects.empty()) {
      WriteMembers("  No effects dump: ", found.without_effects);
    }
    const Ordinal reference = found.variants.front().front();
    const SetPatch& a = groups_.patches()[reference];
    const std::optional<EffectsData> a_effects = params::PatchEffects(*a.bank, *a.patch);
    for (std::size_t k = 1; k < found.variants.size(); ++k) {
      const Ordinal other = found.variants[k].front();
      WritePairLine("  1 / " + std::to_string(k + 1) + ": ", reference, other);
      const SetPatch& b = groups_.patches()[other];
      const params::Comparison comparison =
          params::CompareEffects(a_effects, params::PatchEffects(*b.bank, *b.patch));
      for (const params::FieldDifference& difference : comparison.differences) {
        if (difference.field->kind == params::FieldKind::kSpare) continue;
        channel_.WriteReportLine("    " + params::DescribeDifference(difference));
      }
    }
    channel_.WriteReportLine("");
  }

 private:
  Ordinal FirstMember(GroupId group) const { return groups_.members(group).front(); }

  void AppendLabel(Ordinal member, std::string& line) const {
    line += labels_[member];
    if (groups_.IsBasePatch(member)) line += kBaseMark;
  }

  void WritePairLine(std::string_view lead, Ordinal first, Ordinal second) {
    line_ = lead;
    AppendLabel(first, line_);
    line_ += " / ";
    AppendLabel(second, line_);
    channel_.WriteReportLine(line_);
  }

  // `lead`, then the members' labels one under the other.
  void WriteMembers(const std::string& lead, std::span<const Ordinal> members) {
    for (std::size_t k = 0; k < members.size(); ++k) {
      line_ = k == 0 ? lead : std::string(lead.size(), ' ');
      AppendLabel(members[k], line_);
      channel_.WriteReportLine(line_);
    }
  }

  void WriteGroup(GroupId group) {
    channel_.WriteReportLine("  Group " + std::to_string(group + 1) + ":");
    WriteMembers("    ", groups_.members(group));
  }

  // The first slot of `member` that plays `played` (or is switched off).
  std::size_t SlotOf(Ordinal member, PlayedId played) const {
    const NumberedPatch& numbered = groups_.numbers().patches[member];
    for (std::size_t slot = 0; slot < kSoundsPerPatch; ++slot) {
      if (twins_.played().played_of_block(numbered.sounds[slot]) == played) return slot;
    }
    return 0;
  }

  void WriteMatch(Ordinal first, Ordinal second, const SoundMatch& match) {
    const std::size_t a_slot = SlotOf(first, match.first);
    const std::size_t b_slot = SlotOf(second, match.second);
    const params::Comparison comparison =
        params::CompareSounds(groups_.patches()[first].patch->sounds[a_slot],
                              groups_.patches()[second].patch->sounds[b_slot],
                              static_cast<int>(a_slot));
    for (params::FieldDifference difference : comparison.differences) {
      if (difference.field->kind == params::FieldKind::kSpare) continue;
      if (a_slot == b_slot) {
        channel_.WriteReportLine("  " + params::DescribeDifference(difference));
        continue;
      }
      // Both slots, then the field and its values.
      difference.part = params::PartKind::kCommon;
      channel_.WriteReportLine("  Sound " + std::to_string(a_slot) + " / Sound " +
                               std::to_string(b_slot) + " " +
                               params::DescribeDifference(difference));
    }
  }

  ReportChannel& channel_;
  const NearTwins& twins_;
  const SoundGroups& groups_;
  PatchLabels labels_;
  std::string line_;
};

void WriteSectionHead(ReportChannel& channel, std::string_view head, bool empty) {
  channel.WriteSeparatorLine();
  channel.WriteReportLine(head);
  if (empty) channel.WriteReportLine(kNoneLine);
}

}  // namespace

MessageCode WriteNearTwinsReport(ReportChannel& channel, const BankSet& compare_set,
                                 const BankSet& base_set) {
  const MessageCode opened =
      BeginCollectionReport(channel, kNearTwinsReportFile, compare_set, base_set);
  if (opened != kAllIsOk) return opened;
  const bool with_base = !base_set.empty();
  const SoundGroups groups(compare_set, base_set);
  const NearTwins twins(groups);
  const std::vector<EffectsVariants> effects = FindEffectsVariants(groups);
  TwinsWriter writer(channel, twins);
  writer.WriteSummary(with_base, effects.size());

  WriteSectionHead(channel, kPlayAlikeLine, twins.play_alike().empty());
  for (const std::vector<GroupId>& alike : twins.play_alike()) {
    if (channel.failed()) break;
    writer.WritePlayAlike(alike);
  }
  std::size_t next = 0;
  const std::vector<NearTwinPair>& pairs = twins.pairs();
  for (int differences = 1; differences <= kMostDifferences; ++differences) {
    std::size_t end = next;
    while (end < pairs.size() && pairs[end].differences == differences) ++end;
    WriteSectionHead(channel,
                     "Near twins in " + Counted(static_cast<std::size_t>(differences), "parameter:",
                                                "parameters:"),
                     end == next);
    for (; next < end && !channel.failed(); ++next) writer.WritePair(pairs[next]);
    next = end;
  }
  WriteSectionHead(channel, kEffectsLine, effects.empty());
  for (std::string_view line : kEffectsRules) channel.WriteReportLine(line);
  for (const EffectsVariants& found : effects) {
    if (channel.failed()) break;
    writer.WriteEffects(found);
  }
  return channel.CloseReportFile();
}

}  // namespace dravelin
