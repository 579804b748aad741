// How every report over the whole collection begins.

#ifndef DRAVELIN_COLLECTION_COLLECTION_REPORT_H_
#define DRAVELIN_COLLECTION_COLLECTION_REPORT_H_

#include <string_view>

#include "banks/bank.h"
#include "base/message_code.h"
#include "report/report_channel.h"

namespace dravelin {

// Opens the report file `file_name` in Compare and, when that gave kAllIsOk,
// clears the pane and writes the bank file list of the Compare set, the Base
// set's when `base_set` is not empty, and a separator line. Returns what
// opening the file returned; on anything but kAllIsOk nothing was written.
MessageCode BeginCollectionReport(ReportChannel& channel, std::string_view file_name,
                                  const BankSet& compare_set, const BankSet& base_set);

}  // namespace dravelin

#endif  // DRAVELIN_COLLECTION_COLLECTION_REPORT_H_
