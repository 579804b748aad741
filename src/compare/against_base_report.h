// The two reports of the "Compare To 'Base' Directory" menu: every patch of
// the Compare set held against the Base set, listing either the patches that
// no Base patch matches (unique) or those that one does (identical). A Base
// patch matches when its sounds are identical to the Compare patch's, names
// ignored. Compare patches are not compared with each other.

#ifndef DRAVELIN_COMPARE_AGAINST_BASE_REPORT_H_
#define DRAVELIN_COMPARE_AGAINST_BASE_REPORT_H_

#include <string>
#include <string_view>

#include "banks/bank.h"
#include "base/message_code.h"
#include "compare/base_set_index.h"
#include "report/report_channel.h"

namespace dravelin {

enum class AgainstBaseKind : int {
  // Compare patches without a matching Base patch.
  kUniqueOnly = 0,
  // Compare patches with at least one matching Base patch.
  kIdenticalOnly = 1,
};

inline constexpr std::string_view kUniqueReportFile = "uniqC2B.txt";
inline constexpr std::string_view kIdenticalReportFile = "identC2B.txt";
inline constexpr std::string_view kUniqueHeaderLine =
    "These 'Compare' directory patches have sounds UNLIKE all 'Base' directory patches:";
inline constexpr std::string_view kIdenticalHeaderLine =
    "These 'Compare' directory patches have sounds IDENTICAL to a 'Base' directory patch:";

// The report file of a kind.
ReportFileName AgainstBaseReportFile(AgainstBaseKind kind);

// Looks `patch` of `bank` up in the Base set and writes its patch line when
// `kind` lists it. `line` is a buffer for building the line.
void SearchBaseSet(ReportChannel& channel, const BaseSetIndex& base, const Bank& bank,
                   const Patch& patch, AgainstBaseKind kind, std::string& line);

// Writes the report of `kind`: the bank file lists of both sets, then one
// line per listed Compare patch in set order. Returns the code of
// OpenReportFile when that fails (the pane is left alone), otherwise the
// code of CloseReportFile: kAllIsOk, or kTxtFileWriteError when the report
// file could not be written; the report stops at the first failed write.
MessageCode WriteAgainstBaseReport(ReportChannel& channel, const BankSet& compare_set,
                                   const BankSet& base_set, AgainstBaseKind kind);

}  // namespace dravelin

#endif  // DRAVELIN_COMPARE_AGAINST_BASE_REPORT_H_
