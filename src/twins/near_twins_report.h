// "Print Near Twins": the pairs of sound groups of the collection whose
// sounds differ in a few parameters (NearTwins), with every difference, and
// the groups whose members' effects differ (FindEffectsVariants).
//
// The report: the bank file lists of the Compare set and, when the Base set
// takes part, of the Base set; a separator; "Near Twins:", how sounds are
// paired and counted, and a summary; then, each after a separator, the
// groups that play alike, the near twins in 1, 2 and 3 parameters, and the
// groups whose effects differ. A pair's first line names the first patch of
// each side, as the comparison reports label patches, Base patches marked
// " (Base)"; a side of more than one patch then lists its groups' patches.

#ifndef DRAVELIN_TWINS_NEAR_TWINS_REPORT_H_
#define DRAVELIN_TWINS_NEAR_TWINS_REPORT_H_

#include <string_view>

#include "banks/bank.h"
#include "base/message_code.h"
#include "report/report_channel.h"

namespace dravelin {

inline constexpr std::string_view kNearTwinsReportFile = "twins.txt";
inline constexpr std::string_view kNearTwinsLine = "Near Twins:";

// Writes the report over `compare_set` and `base_set` (an empty Base set
// takes no part) to Compare\twins.txt. Returns the code of OpenReportFile
// when that fails (the pane is left alone), otherwise the code of
// CloseReportFile: kAllIsOk, or kTxtFileWriteError when the report file
// could not be written; the report stops at the first failed write.
MessageCode WriteNearTwinsReport(ReportChannel& channel, const BankSet& compare_set,
                                 const BankSet& base_set);

}  // namespace dravelin

#endif  // DRAVELIN_TWINS_NEAR_TWINS_REPORT_H_
