// "Print Sound Groups": which patches of the collection hold the same
// sounds (SoundGroups), as a report.
//
// The report: the bank file lists of the Compare set and, when the Base set
// takes part, of the Base set; a separator; "Sound Groups:" and a summary
// (patches and banks, distinct sounds, the groups of two or more members and
// the patches they hold, the largest group) with how groups are numbered
// and ordered; a separator; then every group of two or more members in the
// order of group numbers: a line with its number, patches, banks and names,
// a line with its different names, its patches in load order as the
// comparison reports label them, Base patches marked " (Base)", and an empty
// line.

#ifndef DRAVELIN_COLLECTION_SOUND_GROUPS_REPORT_H_
#define DRAVELIN_COLLECTION_SOUND_GROUPS_REPORT_H_

#include <string_view>

#include "banks/bank.h"
#include "base/message_code.h"
#include "compare/patch_label.h"
#include "report/report_channel.h"

namespace dravelin {

inline constexpr std::string_view kSoundGroupsReportFile = "groups.txt";
inline constexpr std::string_view kSoundGroupsLine = "Sound Groups:";
// Follows the label of a Base patch.
inline constexpr std::string_view kBaseMark = kBaseLabelMark;

// Writes the report over `compare_set` and `base_set` (an empty Base set
// takes no part) to Compare\groups.txt. Returns the code of OpenReportFile
// when that fails (the pane is left alone), otherwise the code of
// CloseReportFile: kAllIsOk, or kTxtFileWriteError when the report file
// could not be written; the report stops at the first failed write.
MessageCode WriteSoundGroupsReport(ReportChannel& channel, const BankSet& compare_set,
                                   const BankSet& base_set);

}  // namespace dravelin

#endif  // DRAVELIN_COLLECTION_SOUND_GROUPS_REPORT_H_
