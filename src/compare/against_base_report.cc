#include "compare/against_base_report.h"

#include "compare/patch_label.h"
#include "compare/within_compare_report.h"

namespace dravelin {

ReportFileName AgainstBaseReportFile(AgainstBaseKind kind) {
  return ReportFileName(
      std::string(kind == AgainstBaseKind::kUniqueOnly ? kUniqueReportFile : kIdenticalReportFile));
}

void SearchBaseSet(ReportChannel& channel, const BaseSetIndex& base, const Bank& bank,
                   const Patch& patch, AgainstBaseKind kind, std::string& line) {
  const bool matched = base.FindMatch(patch) != nullptr;
  if (matched != (kind == AgainstBaseKind::kIdenticalOnly)) return;
  line.clear();
  AppendPatchLabel(bank, patch, line);
  channel.WriteReportLine(line);
}

MessageCode WriteAgainstBaseReport(ReportChannel& channel, const BankSet& compare_set,
                                   const BankSet& base_set, AgainstBaseKind kind) {
  const MessageCode opened = channel.OpenReportFile(AgainstBaseReportFile(kind));
  if (opened != kAllIsOk) return opened;
  channel.ClearReportPane();
  channel.WriteBankFileList(compare_set, "Compare");
  channel.WriteBankFileList(base_set, "Base");
  channel.WriteSeparatorLine();
  channel.WriteReportLine(kPatchComparisonsLine);
  channel.WriteReportLine(kind == AgainstBaseKind::kUniqueOnly ? kUniqueHeaderLine
                                                               : kIdenticalHeaderLine);
  const BaseSetIndex base(base_set);
  std::string line;
  for (const Bank& bank : compare_set) {
    for (const Patch& patch : bank.patches) {
      if (channel.failed()) return channel.CloseReportFile();
      SearchBaseSet(channel, base, bank, patch, kind, line);
    }
  }
  return channel.CloseReportFile();
}

}  // namespace dravelin
