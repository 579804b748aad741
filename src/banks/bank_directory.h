// Reading every bank file of one directory into a BankSet.

#ifndef DRAVELIN_BANKS_BANK_DIRECTORY_H_
#define DRAVELIN_BANKS_BANK_DIRECTORY_H_

#include <filesystem>
#include <string>
#include <string_view>

#include "banks/bank.h"
#include "base/message_code.h"

namespace dravelin {

// True for a file name that the bank search takes: it ends in ".syx" in any
// case and does not begin with '.' (hidden).
bool IsBankFileName(std::string_view file_name);

// The order in which bank files are read, whatever order a file system or a
// browser hands them over in: names compared byte by byte with a-z read as
// A-Z; names equal that way ("bank.syx", "BANK.SYX") ordered by their raw
// bytes. A strict weak ordering, total over distinct names.
bool BankFileNameLess(std::string_view a, std::string_view b);

// Reads the bank files of `working_dir`/`directory_name` into `set`, which
// must be empty, in the order of BankFileNameLess. A file qualifies when
// IsBankFileName holds, the platform does not hide it, and it is a regular
// file after links are followed; the first kMaxBanksPerSet in that order are
// read and the rest ignored.
// Returns kNoBankFiles when the directory is missing or holds no such file,
// kAllIsOk when all were read, or the code of the first file that failed
// (kSyxFileOpenError, kOutOfMemory); the banks read before it stay in `set`.
MessageCode ReadBankDirectory(const std::filesystem::path& working_dir,
                              std::string_view directory_name, BankSet& set);

}  // namespace dravelin

#endif  // DRAVELIN_BANKS_BANK_DIRECTORY_H_
