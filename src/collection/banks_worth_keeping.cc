#include "collection/banks_worth_keeping.h"

#include <algorithm>
#include <limits>
#include <string>

#include "base/line_decoding.h"
#include "collection/collection_report.h"

namespace dravelin {
namespace {

constexpr std::string_view kBankHeading = "Bank";
constexpr std::string_view kColumnGap = "  ";

struct Column {
  std::string_view heading;
  std::size_t BankWorth::*figure;
};

constexpr Column kColumns[] = {
    {"Patches", &BankWorth::patches},
    {"Sounds", &BankWorth::sounds},
    {"Only here", &BankWorth::only_here},
    {"Not in Base", &BankWorth::not_in_base},
};
constexpr std::size_t kColumnsWithoutBase = 3;

// `text` and blanks up to `width` characters as the pane shows them.
void AppendPadded(std::string_view text, std::size_t width, std::string& out) {
  out += text;
  const std::size_t shown = LineCharCount(text);
  if (shown < width) out.append(width - shown, ' ');
}

void AppendRightAligned(std::string_view text, std::size_t width, std::string& out) {
  if (text.size() < width) out.append(width - text.size(), ' ');
  out += text;
}

void WriteExplanation(ReportChannel& channel, bool with_base) {
  channel.WriteReportLine(kBanksWorthKeepingLine);
  channel.WriteReportLine(
      "A sound is the set of sound blocks a patch plays: patches whose sounds are identical");
  channel.WriteReportLine(
      "hold one sound, whatever their names and slots. For each 'Compare' bank the table");
  channel.WriteReportLine("counts:");
  channel.WriteReportLine("  Patches:      its patches");
  channel.WriteReportLine("  Sounds:       its distinct sounds");
  channel.WriteReportLine("  Only here:    its sounds that no other 'Compare' bank holds");
  if (with_base) {
    channel.WriteReportLine(
        "  Not in Base:  of those, the sounds that no 'Base' patch holds either");
    channel.WriteReportLine("A bank adds the sounds counted under 'Not in Base'.");
  } else {
    channel.WriteReportLine("A bank adds the sounds counted under 'Only here'.");
  }
  channel.WriteReportLine(
      "Two copies of one file are two banks: neither adds a sound that the other holds.");
  channel.WriteReportLine(
      "Banks are sorted by the sounds they add, most first, then in the order they were");
  channel.WriteReportLine("read; a bank that adds nothing is marked \"adds nothing\".");
}

}  // namespace

std::vector<BankWorth> RankBanksByWhatTheyAdd(const SoundGroups& groups) {
  // How many Compare banks hold each sound: members come in load order, and
  // so do their banks, the Compare banks first.
  std::vector<std::uint32_t> compare_banks(groups.group_count(), 0);
  for (GroupId group = 0; group < groups.group_count(); ++group) {
    std::uint32_t banks = 0;
    BankNumber last = 0;
    for (Ordinal member : groups.members(group)) {
      if (groups.IsBasePatch(member)) break;
      if (banks == 0 || groups.bank_of(member) != last) ++banks;
      last = groups.bank_of(member);
    }
    compare_banks[group] = banks;
  }

  std::vector<BankWorth> worths(groups.compare_bank_count());
  for (BankNumber bank = 0; bank < worths.size(); ++bank) worths[bank].bank = bank;
  // A bank's patches are neighbours in load order; a sound counts once per
  // bank however many of its patches hold it.
  constexpr BankNumber kNoBank = std::numeric_limits<BankNumber>::max();
  std::vector<BankNumber> counted_for(groups.group_count(), kNoBank);
  for (Ordinal ordinal = 0; ordinal < groups.compare_patch_count(); ++ordinal) {
    BankWorth& worth = worths[groups.bank_of(ordinal)];
    ++worth.patches;
    const GroupId group = groups.group_of(ordinal);
    if (counted_for[group] == worth.bank) continue;
    counted_for[group] = worth.bank;
    ++worth.sounds;
    if (compare_banks[group] == 1) {
      ++worth.only_here;
      if (!groups.HoldsBasePatch(group)) ++worth.not_in_base;
    }
  }
  std::stable_sort(worths.begin(), worths.end(),
                   [](const BankWorth& a, const BankWorth& b) { return a.adds() > b.adds(); });
  return worths;
}

MessageCode WriteBanksWorthKeepingReport(ReportChannel& channel, const BankSet& compare_set,
                                         const BankSet& base_set) {
  const MessageCode opened =
      BeginCollectionReport(channel, kBanksWorthKeepingReportFile, compare_set, base_set);
  if (opened != kAllIsOk) return opened;
  const bool with_base = !base_set.empty();
  WriteExplanation(channel, with_base);
  channel.WriteSeparatorLine();

  const SoundGroups groups(compare_set, base_set);
  const std::vector<BankWorth> worths = RankBanksByWhatTheyAdd(groups);
  std::size_t name_width = kBankHeading.size();
  for (BankNumber bank = 0; bank < groups.compare_bank_count(); ++bank) {
    name_width = std::max(name_width, LineCharCount(groups.bank(bank).name));
  }
  const std::size_t columns = with_base ? std::size(kColumns) : kColumnsWithoutBase;
  std::string line;
  AppendPadded(kBankHeading, name_width, line);
  for (std::size_t c = 0; c < columns; ++c) {
    line += kColumnGap;
    line += kColumns[c].heading;
  }
  channel.WriteReportLine(line);
  std::size_t adding_nothing = 0;
  for (const BankWorth& worth : worths) {
    line.clear();
    AppendPadded(groups.bank(worth.bank).name, name_width, line);
    for (std::size_t c = 0; c < columns; ++c) {
      line += kColumnGap;
      AppendRightAligned(std::to_string(worth.*kColumns[c].figure), kColumns[c].heading.size(),
                         line);
    }
    if (worth.adds() == 0) {
      line += kColumnGap;
      line += kAddsNothingMark;
      ++adding_nothing;
    }
    channel.WriteReportLine(line);
    if (channel.failed()) return channel.CloseReportFile();
  }
  channel.WriteSeparatorLine();
  channel.WriteReportLine("Banks that add nothing: " + std::to_string(adding_nothing) + " of " +
                          std::to_string(worths.size()));
  return channel.CloseReportFile();
}

}  // namespace dravelin
