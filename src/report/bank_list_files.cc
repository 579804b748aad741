#include "report/bank_list_files.h"

#include <utility>

#include "report/instrument_section.h"
#include "report/patch_name_list.h"

namespace dravelin {

std::string_view ListingExtension(ListingKind kind) {
  return kind == ListingKind::kInstrumentSection ? "ins" : "txt";
}

ReportFileName ListingFileName(const Bank& bank, ListingKind kind) {
  std::string file = bank.name;
  file += '.';
  file += ListingExtension(kind);
  return ReportFileName(std::move(file));
}

MessageCode WriteBankListFiles(ReportChannel& channel, const BankSet& set, ListingKind kind) {
  for (const Bank& bank : set) {
    MessageCode code = channel.OpenReportFile(ListingFileName(bank, kind));
    if (code != kAllIsOk) return code;
    switch (kind) {
      case ListingKind::kPatchNameList:
        WritePatchNameList(channel, bank);
        break;
      case ListingKind::kInstrumentSection:
        WriteInstrumentSection(channel, bank);
        break;
    }
    // Closed also after a failed write, so that no file stays open.
    code = channel.CloseReportFile();
    if (code != kAllIsOk) return code;
  }
  return kAllIsOk;
}

}  // namespace dravelin
