// The program's single-byte text as the window shows it.

#ifndef DRAVELIN_GUI_ANSI_TEXT_H_
#define DRAVELIN_GUI_ANSI_TEXT_H_

#include <string_view>

class QString;

namespace dravelin {

// `text` for display: as UTF-8 where it is valid UTF-8 (file names on
// Linux), otherwise as the Windows code page, one character per byte.
QString DecodeAnsi(std::string_view text);

}  // namespace dravelin

#endif  // DRAVELIN_GUI_ANSI_TEXT_H_
