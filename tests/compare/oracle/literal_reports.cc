#include "tests/compare/oracle/literal_reports.h"

#include <cstdarg>
#include <cstdio>
#include <string>

#include "compare/patch_comparison.h"

namespace dravelin::testing {
namespace {

std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

std::string Format(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list copy;
  va_copy(copy, args);
  const int size = std::vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  std::string text(static_cast<std::size_t>(size) + 1, '\0');
  std::vsnprintf(text.data(), text.size(), format, args);
  va_end(args);
  text.pop_back();
  return text;
}

std::string PairLine(const char* format, const Bank& first_bank, const Patch& first,
                     const Bank& second_bank, const Patch& second) {
  return Format(format, first_bank.name.c_str(), first.program_number, first.name.c_str(),
                second_bank.name.c_str(), second.program_number, second.name.c_str());
}

bool LiteralPairVerdict(ReportChannel& channel, const Bank& first_bank, const Patch& first,
                        const Bank& second_bank, const Patch& second, WithinCompareKind kind) {
  const PatchComparison c = ComparePatches(first, second);
  if (c.identical) {
    channel.WriteReportLine(PairLine("\"%s [%03d:%s]\" is IDENTICAL to \"%s [%03d:%s]\"",
                                     first_bank, first, second_bank, second));
    return true;
  }
  if (c.sounds_identical) {
    channel.WriteReportLine(PairLine("\"%s [%03d:%s]\" has sounds IDENTICAL to \"%s [%03d:%s]\"",
                                     first_bank, first, second_bank, second));
    return true;
  }
  if (c.similar && kind == WithinCompareKind::kAllSimilarities) {
    channel.WriteReportLine(PairLine("\"%s [%03d:%s]\" is similar to \"%s [%03d:%s]\"", first_bank,
                                     first, second_bank, second));
    if (c.name_verdict == kNamesIdentical) channel.WriteReportLine("  Name is IDENTICAL");
    for (int i = 0; i < 4; ++i) {
      for (int j = 0; j < 4; ++j) {
        if (c.sound_verdicts[i][j] == kSoundsIdentical) {
          channel.WriteReportLine(Format("  Sound %d is IDENTICAL to sound %d", i, j));
        }
      }
    }
    return true;
  }
  return false;
}

void LiteralCompareWithCompareSet(ReportChannel& channel, const BankSet& set,
                                  const Bank& first_bank, const Patch& first,
                                  WithinCompareKind kind) {
  bool wrote = false;
  for (const Bank& second_bank : set) {
    for (const Patch& second : second_bank.patches) {
      if (&second == &first) continue;
      if (LiteralPairVerdict(channel, first_bank, first, second_bank, second, kind)) {
        channel.WriteReportLine("");
        wrote = true;
      }
    }
  }
  if (wrote) channel.WriteSeparatorLine();
}

}  // namespace

MessageCode LiteralWithinCompareReport(ReportChannel& channel, const BankSet& compare_set,
                                       WithinCompareKind kind) {
  if (compare_set.size() == 1 && compare_set[0].patches.size() == 1) return kOnlyOnePatch;
  const MessageCode opened = channel.OpenReportFile(
      ReportFileName(kind == WithinCompareKind::kAllSimilarities ? "compare.txt" : "identity.txt"));
  if (opened != kAllIsOk) return opened;
  channel.ClearReportPane();
  channel.WriteBankFileList(compare_set, "Compare");
  channel.WriteSeparatorLine();
  channel.WriteReportLine("Patch Comparisons:");
  for (const Bank& bank : compare_set) {
    for (const Patch& patch : bank.patches) {
      LiteralCompareWithCompareSet(channel, compare_set, bank, patch, kind);
    }
  }
  return channel.CloseReportFile();
}

MessageCode LiteralAgainstBaseReport(ReportChannel& channel, const BankSet& compare_set,
                                     const BankSet& base_set, AgainstBaseKind kind) {
  const bool unique = kind == AgainstBaseKind::kUniqueOnly;
  const MessageCode opened =
      channel.OpenReportFile(ReportFileName(unique ? "uniqC2B.txt" : "identC2B.txt"));
  if (opened != kAllIsOk) return opened;
  channel.ClearReportPane();
  channel.WriteBankFileList(compare_set, "Compare");
  channel.WriteBankFileList(base_set, "Base");
  channel.WriteSeparatorLine();
  channel.WriteReportLine("Patch Comparisons:");
  channel.WriteReportLine(
      unique ? "These 'Compare' directory patches have sounds UNLIKE all 'Base' directory patches:"
             : "These 'Compare' directory patches have sounds IDENTICAL to a 'Base' directory "
               "patch:");
  for (const Bank& bank : compare_set) {
    for (const Patch& patch : bank.patches) {
      bool matched = false;
      for (const Bank& base_bank : base_set) {
        for (const Patch& base_patch : base_bank.patches) {
          const PatchComparison c = ComparePatches(patch, base_patch);
          if (c.identical || c.sounds_identical) {
            matched = true;
            break;
          }
        }
        if (matched) break;
      }
      if (matched != unique) {
        channel.WriteReportLine(Format("\"%s [%03d:%s]\"", bank.name.c_str(), patch.program_number,
                                       patch.name.c_str()));
      }
    }
  }
  return channel.CloseReportFile();
}

}  // namespace dravelin::testing
