#include "collection/sound_groups_report.h"

#include <limits>
#include <string>
#include <vector>

#include "collection/collection_report.h"
#include "collection/sound_groups.h"
#include "compare/patch_label.h"

namespace dravelin {
namespace {

// Lines of the list of a group's names break before this column.
constexpr std::size_t kNamesLineWidth = 88;
constexpr std::string_view kNamesLead = "  Names: ";

std::string Counted(std::size_t count, std::string_view one, std::string_view many) {
  return std::to_string(count) + " " + std::string(count == 1 ? one : many);
}

// The summary: the figures, then how the groups are numbered and listed.
void WriteSummary(ReportChannel& channel, const SoundGroups& groups, bool with_base) {
  std::size_t shared_groups = 0;
  std::size_t shared_patches = 0;
  GroupId largest = 0;
  for (GroupId group = 0; group < groups.group_count(); ++group) {
    const std::size_t size = groups.members(group).size();
    if (size < 2) continue;
    ++shared_groups;
    shared_patches += size;
    if (size > groups.members(largest).size()) largest = group;
  }
  channel.WriteReportLine(kSoundGroupsLine);
  channel.WriteReportLine(
      "Patches whose sounds are identical (the same sound blocks, in any slots and any");
  channel.WriteReportLine(
      "number of times; names and program numbers play no part) form one sound group.");
  std::string line = "  Patches:                " + std::to_string(groups.patch_count()) + " in " +
                     Counted(groups.bank_count(), "bank", "banks");
  if (with_base) {
    line += " ('Compare' " + std::to_string(groups.compare_patch_count()) + " in " +
            std::to_string(groups.compare_bank_count()) + ", 'Base' " +
            std::to_string(groups.patch_count() - groups.compare_patch_count()) + " in " +
            std::to_string(groups.bank_count() - groups.compare_bank_count()) + ")";
  }
  channel.WriteReportLine(line);
  channel.WriteReportLine("  Distinct sounds:        " + std::to_string(groups.group_count()));
  channel.WriteReportLine("  Groups of two or more:  " + std::to_string(shared_groups) +
                          ", holding " + Counted(shared_patches, "patch", "patches"));
  if (shared_groups == 0) {
    channel.WriteReportLine("  Largest group:          none; no two patches have identical sounds");
  } else {
    channel.WriteReportLine("  Largest group:          group " + std::to_string(largest + 1) +
                            ", " + Counted(groups.members(largest).size(), "patch", "patches"));
  }
  if (with_base) {
    channel.WriteReportLine(
        "Groups are numbered in the order of their first patch: the 'Compare' banks in the");
    channel.WriteReportLine(
        "order they were read, then the 'Base' banks, each bank's patches in file order.");
    channel.WriteReportLine(
        "Each group lists its patches in that order, 'Base' patches marked (Base).");
  } else {
    channel.WriteReportLine(
        "Groups are numbered in the order of their first patch: the banks in the order they");
    channel.WriteReportLine(
        "were read, each bank's patches in file order. Each group lists its patches in that");
    channel.WriteReportLine("order.");
  }
  channel.WriteReportLine(
      "A patch whose sounds no other patch has is a group of one: it has a number (the");
  channel.WriteReportLine("catalogue shows it) but is not listed here.");
}

class GroupWriter {
 public:
  GroupWriter(ReportChannel& channel, const SoundGroups& groups)
      : channel_(channel),
        groups_(groups),
        labels_(groups.patches()),
        name_seen_by_(groups.numbers().name_count, kNoGroup) {}

  void Write(GroupId group) {
    const std::span<const Ordinal> members = groups_.members(group);
    // The group's different names, in the order they first appear.
    names_.clear();
    for (Ordinal member : members) {
      const std::uint32_t name = groups_.numbers().patches[member].name;
      if (name_seen_by_[name] == group) continue;
      name_seen_by_[name] = group;
      names_.push_back(member);
    }
    channel_.WriteReportLine("Group " + std::to_string(group + 1) + ": " +
                             Counted(members.size(), "patch", "patches") + " in " +
                             Counted(groups_.banks_holding(group), "bank", "banks") + ", " +
                             Counted(names_.size(), "name", "names"));
    line_ = kNamesLead;
    bool line_has_names = false;
    for (std::size_t k = 0; k < names_.size(); ++k) {
      item_ = '"';
      item_ += groups_.patches()[names_[k]].patch->name;
      item_ += '"';
      if (k + 1 < names_.size()) item_ += ',';
      if (line_has_names && line_.size() + 1 + item_.size() > kNamesLineWidth) {
        channel_.WriteReportLine(line_);
        line_.assign(kNamesLead.size(), ' ');
        line_has_names = false;
      }
      if (line_has_names) line_ += ' ';
      line_ += item_;
      line_has_names = true;
    }
    channel_.WriteReportLine(line_);
    for (Ordinal member : members) {
      line_ = "  ";
      line_ += labels_[member];
      if (groups_.IsBasePatch(member)) line_ += kBaseMark;
      channel_.WriteReportLine(line_);
    }
    channel_.WriteReportLine("");
  }

 private:
  static constexpr GroupId kNoGroup = std::numeric_limits<GroupId>::max();

  ReportChannel& channel_;
  const SoundGroups& groups_;
  PatchLabels labels_;
  std::vector<GroupId> name_seen_by_;  // by name number: the group that listed it last
  std::vector<Ordinal> names_;         // a member for each different name
  std::string line_;
  std::string item_;
};

}  // namespace

MessageCode WriteSoundGroupsReport(ReportChannel& channel, const BankSet& compare_set,
                                   const BankSet& base_set) {
  const MessageCode opened =
      BeginCollectionReport(channel, kSoundGroupsReportFile, compare_set, base_set);
  if (opened != kAllIsOk) return opened;
  const bool with_base = !base_set.empty();
  const SoundGroups groups(compare_set, base_set);
  WriteSummary(channel, groups, with_base);
  channel.WriteSeparatorLine();
  GroupWriter writer(channel, groups);
  for (GroupId group = 0; group < groups.group_count() && !channel.failed(); ++group) {
    if (groups.members(group).size() >= 2) writer.Write(group);
  }
  return channel.CloseReportFile();
}

}  // namespace dravelin
