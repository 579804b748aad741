// The one-page list of the patch names of a bank: up to 64 rows of one or
// two columns, each entry the patch's program number and name.

#ifndef DRAVELIN_REPORT_PATCH_NAME_LIST_H_
#define DRAVELIN_REPORT_PATCH_NAME_LIST_H_

#include <cstddef>
#include <string>
#include <string_view>

#include "banks/bank.h"
#include "report/report_channel.h"

namespace dravelin {

// The line that opens every bank's list in the pane (never in the file):
// 87 dashes, one fewer than the separator line.
inline constexpr std::string_view kBankListPaneRule =
    "---------------------------------------------------------------------------------------";

// Rows of one list; a bank of more patches gets a second column.
inline constexpr std::size_t kNameListRows = 64;
// Patches listed at most (the size of one bank of the synthesizer); later
// ones are left out.
inline constexpr std::size_t kNameListMaxPatches = 2 * kNameListRows;

// Appends "NNN: name" for `patch`: its program number in three digits with
// leading zeros, a colon, a blank and its name. Both listings use this form.
void AppendProgramEntry(std::string& line, const Patch& patch);

// Writes the list of `bank` through `channel`: the 87-dash pane line, the
// bank name line, an empty line, then one row per patch position r below 64:
// "      NNN: name" for the patch at r, followed, when a patch at 64 + r
// exists and is listed, by 30 blanks and "NNN: name" for it.
void WritePatchNameList(ReportChannel& channel, const Bank& bank);

}  // namespace dravelin

#endif  // DRAVELIN_REPORT_PATCH_NAME_LIST_H_
