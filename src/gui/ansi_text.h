// The program's single-byte text as the window shows it: each text decided
// on its own, as UTF-8 where it is valid UTF-8 (file names on Linux) and as
// the Windows code page otherwise (pane/line_decoding.h).

#ifndef DRAVELIN_GUI_ANSI_TEXT_H_
#define DRAVELIN_GUI_ANSI_TEXT_H_

#include <string_view>

class QString;

namespace dravelin {

QString DecodeAnsi(std::string_view text);

}  // namespace dravelin

#endif  // DRAVELIN_GUI_ANSI_TEXT_H_
