// "Create Patch Catalogue": every patch of the collection as one row of a
// CSV file (RFC 4180, UTF-8) for a spreadsheet, Compare\catalogue.csv.
//
// The file starts with a UTF-8 byte order mark, which the most used
// spreadsheet needs to read UTF-8 names as UTF-8 rather than as the
// system's code page; CSV readers that do not expect one take it as part of
// the first heading only. Then a header row, then one row per patch of the
// Compare set and, when the Base set takes part, of the Base set, in load
// order (collection/sound_groups.h), with these fields:
//   Set                  "Compare" or "Base"
//   File                 the bank file's name
//   Bank                 the bank's name, as the reports show it
// (in both, control characters read as '_', as in every bank name)
//   Program              the program number, in decimal
//   Name                 the patch name, all ten characters
//   Sound group          the patch's sound group, numbered from 1 as
//                        "Print Sound Groups" numbers it
//   Patches in group     the members of that group, the patch included
//   Banks holding group  the banks of either set that hold a member
//   Similar patches      the other patches of either set that are similar
//                        to it in the comparison's sense (the same name, or
//                        at least one identical sound)
// Text fields are always quoted (csv_text.h) and hold the names exactly,
// decoded to UTF-8: nothing is added to a name that begins with a character
// a spreadsheet may read as a formula, so that every reader gets the name
// itself. Numbers are never quoted. Rows, the header too, end with CR LF;
// the pane shows the same lines.

#ifndef DRAVELIN_COLLECTION_PATCH_CATALOGUE_H_
#define DRAVELIN_COLLECTION_PATCH_CATALOGUE_H_

#include <string_view>

#include "banks/bank.h"
#include "base/message_code.h"
#include "report/report_channel.h"

namespace dravelin {

inline constexpr std::string_view kPatchCatalogueFile = "catalogue.csv";
inline constexpr std::string_view kPatchCatalogueHeader =
    "Set,File,Bank,Program,Name,Sound group,Patches in group,Banks holding group,"
    "Similar patches";

// Writes the catalogue over `compare_set` and `base_set` (an empty Base set
// takes no part). Returns the code of OpenReportFile when that fails (the
// pane is left alone), otherwise the code of CloseReportFile: kAllIsOk, or
// kTxtFileWriteError when the file could not be written; writing stops at
// the first failed write.
MessageCode WritePatchCatalogue(ReportChannel& channel, const BankSet& compare_set,
                                const BankSet& base_set);

}  // namespace dravelin

#endif  // DRAVELIN_COLLECTION_PATCH_CATALOGUE_H_
