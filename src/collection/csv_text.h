// Fields of comma-separated values as RFC 4180 writes them, in UTF-8.
//
// The program holds names as bytes taken from file names and bank files.
// A CSV field shows them as the pane does (base/line_decoding.h): valid
// UTF-8 stays as it is, any other byte is read as its Windows code page
// 1252 character, so a spreadsheet shows the names the user sees.

#ifndef DRAVELIN_COLLECTION_CSV_TEXT_H_
#define DRAVELIN_COLLECTION_CSV_TEXT_H_

#include <cstdint>
#include <string>
#include <string_view>

namespace dravelin {

// The byte order mark that tells a spreadsheet the file is UTF-8.
inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// Appends `bytes`, decoded to UTF-8, as one quoted field: a double quote,
// the text with each double quote doubled, a double quote. Quoted whatever
// it holds, so that commas, quotes, line breaks and leading or trailing
// blanks all survive.
void AppendCsvText(std::string_view bytes, std::string& out);

// Appends `value` in decimal, unquoted.
void AppendCsvNumber(std::uint64_t value, std::string& out);

}  // namespace dravelin

#endif  // DRAVELIN_COLLECTION_CSV_TEXT_H_
