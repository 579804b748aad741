// The program's single-byte text as the window shows it: each UTF-8
// sequence as UTF-8 (file names on Linux) and every other byte as the
// Windows code page (base/line_decoding.h).

#ifndef DRAVELIN_GUI_ANSI_TEXT_H_
#define DRAVELIN_GUI_ANSI_TEXT_H_

#include <string_view>

class QString;

namespace dravelin {

QString DecodeAnsi(std::string_view text);

// UTF-16 text from the pane as a QString.
QString Utf16ToQString(std::u16string_view text);

}  // namespace dravelin

#endif  // DRAVELIN_GUI_ANSI_TEXT_H_
