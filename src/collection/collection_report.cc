#include "collection/collection_report.h"

#include <string>

namespace dravelin {

MessageCode BeginCollectionReport(ReportChannel& channel, std::string_view file_name,
                                  const BankSet& compare_set, const BankSet& base_set) {
  const MessageCode opened = channel.OpenReportFile(ReportFileName(std::string(file_name)));
  if (opened != kAllIsOk) return opened;
  channel.ClearReportPane();
  channel.WriteBankFileList(compare_set, "Compare");
  if (!base_set.empty()) channel.WriteBankFileList(base_set, "Base");
  channel.WriteSeparatorLine();
  return kAllIsOk;
}

}  // namespace dravelin
