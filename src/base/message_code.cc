#include "base/message_code.h"

namespace dravelin {

const std::array<std::string_view, kMessageCodeCount> kMessageTexts = {
    " All is OK.",
    " End of File.",
    " Out Of Memory! Exit immediately!",
    " *.syx File Open Error!",
    " *.txt File Open Error!",
    " No bank files were found!",
    " No patches were found!",
    " Only one patch has been created!",
    " A bank was not set up properly!",
    "",
    " The two given names are identical.",
    " The two given sounds are identical.",
    " The two given names are similar.",
    " The two given sounds are similar.",
    " The two given names are different.",
    " The two given sounds are different.",
    " *.txt File Write Error!",
};

std::string_view MessageText(MessageCode code) {
  const int number = CodeNumber(code);
  if (number < 0 || number >= kMessageCodeCount) return {};
  return kMessageTexts[static_cast<std::size_t>(number)];
}

std::string MessageCodeLine(MessageCode code) {
  std::string line = "Message: '";
  line += MessageText(code);
  line += '\'';
  return line;
}

}  // namespace dravelin
