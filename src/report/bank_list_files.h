// The per-bank loop of the listing commands: one report file per bank of a
// set, named after the bank, each holding that bank's listing.

#ifndef DRAVELIN_REPORT_BANK_LIST_FILES_H_
#define DRAVELIN_REPORT_BANK_LIST_FILES_H_

#include <string>
#include <string_view>

#include "banks/bank.h"
#include "base/message_code.h"
#include "report/report_channel.h"

namespace dravelin {

// Which listing WriteBankListFiles writes; it also decides the extension of
// the files.
enum class ListingKind : int {
  kPatchNameList = 0,      // WritePatchNameList, "txt" files
  kInstrumentSection = 1,  // WriteInstrumentSection, "ins" files
};

// "txt" or "ins".
std::string_view ListingExtension(ListingKind kind);

// The report file of a bank's listing: "<bank name>.<extension>".
ReportFileName ListingFileName(const Bank& bank, ListingKind kind);

// For every bank of `set` in set order: opens the bank's report file, writes
// the bank's listing and closes the file. Stops at the first bank whose file
// cannot be opened (kTxtFileOpenError) or written (kTxtFileWriteError) and
// returns that code; the files of the banks before it are complete. Returns
// kAllIsOk after the last bank.
MessageCode WriteBankListFiles(ReportChannel& channel, const BankSet& set, ListingKind kind);

}  // namespace dravelin

#endif  // DRAVELIN_REPORT_BANK_LIST_FILES_H_
