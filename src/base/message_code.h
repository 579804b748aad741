// Result codes of every fallible operation, and the fixed text of each.
//
// Operations return a MessageCode up the call chain; kAllIsOk means success
// and any other code ends the operation at once. Command handlers and the
// loading of the bank sets show a non-zero code on the status line through
// its text in MessageTexts.

#ifndef DRAVELIN_BASE_MESSAGE_CODE_H_
#define DRAVELIN_BASE_MESSAGE_CODE_H_

#include <array>
#include <string>
#include <string_view>

namespace dravelin {

// Scoped, so that a code never passes for a number by accident, and
// [[nodiscard]], so that no failure is dropped unseen; the codes' names are
// brought into the namespace below, as they are used everywhere.
enum class [[nodiscard]] MessageCode : int{
    kAllIsOk = 0,          kEndOfFile = 1,          kOutOfMemory = 2,
    kSyxFileOpenError = 3, kTxtFileOpenError = 4,   kNoBankFiles = 5,
    kNoPatches = 6,        kOnlyOnePatch = 7,       kBankNotSetUp = 8,
    kNoText = 9,           kNamesIdentical = 10,    kSoundsIdentical = 11,
    kNamesSimilar = 12,    kSoundsSimilar = 13,     kNamesDifferent = 14,
    kSoundsDifferent = 15, kTxtFileWriteError = 16,
};

using enum MessageCode;

inline constexpr int kMessageCodeCount = 17;

// The code's number, as the table of texts is indexed.
constexpr int CodeNumber(MessageCode code) { return static_cast<int>(code); }

// The text of every code, indexed by the code. All but the empty one begin
// with a blank that belongs to the text.
extern const std::array<std::string_view, kMessageCodeCount> kMessageTexts;

// The text of `code`, or an empty text for a code outside the table.
std::string_view MessageText(MessageCode code);

// The status line form of a code: "Message: '<text>'".
std::string MessageCodeLine(MessageCode code);

}  // namespace dravelin

#endif  // DRAVELIN_BASE_MESSAGE_CODE_H_
