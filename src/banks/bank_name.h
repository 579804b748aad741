// How a bank is named after its file.

#ifndef DRAVELIN_BANKS_BANK_NAME_H_
#define DRAVELIN_BANKS_BANK_NAME_H_

#include <string>
#include <string_view>

namespace dravelin {

// The base name of a path: the path cut at its last '.' (the last one in the
// whole path, so only the final extension goes), then what follows the last
// directory separator (see kPathSeparators).
std::string BankNameFromPath(std::string_view path);

// What follows the last directory separator of a path (see kPathSeparators):
// the file's name with its extension.
std::string FileNameFromPath(std::string_view path);

// Replaces every control character (bytes 0x00-0x1F and 0x7F) of `text`
// with '_', so that a name taken from a file name can never break a report
// line.
void ReplaceControlCharacters(std::string& text);

// A base name made fit for every report line and file name it appears in:
// cut to at most kMaxBankNameLength bytes, and never inside a character when
// the name is valid UTF-8 (the cut moves back to the character's first byte);
// control characters (bytes 0x00-0x1F and 0x7F) read as '_', so a name can
// never break a report line.
std::string FitBankName(std::string_view base_name);

}  // namespace dravelin

#endif  // DRAVELIN_BANKS_BANK_NAME_H_
