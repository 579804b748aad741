#include "report/patch_name_list.h"

#include <algorithm>

namespace dravelin {
namespace {
constexpr std::string_view kLeftIndent = "      ";
constexpr std::string_view kColumnGap = "                              ";
}  // namespace

void AppendProgramEntry(std::string& line, const Patch& patch) {
  // A program number is one byte, so three digits always suffice.
  const unsigned number = patch.program_number;
  const char digits[3] = {static_cast<char>('0' + number / 100),
                          static_cast<char>('0' + number / 10 % 10),
                          static_cast<char>('0' + number % 10)};
  line.append(digits, 3);
  line += ": ";
  line += patch.name;
}

void WritePatchNameList(ReportChannel& channel, const Bank& bank) {
  channel.WritePaneLine(kBankListPaneRule);
  channel.WriteBankNameLine(bank);
  channel.WriteReportLine("");

  const std::size_t listed = std::min(bank.patches.size(), kNameListMaxPatches);
  const std::size_t rows = std::min(listed, kNameListRows);
  std::string line;
  for (std::size_t row = 0; row < rows && !channel.failed(); ++row) {
    line.assign(kLeftIndent);
    AppendProgramEntry(line, bank.patches[row]);
    const std::size_t right = kNameListRows + row;
    if (right < listed) {
      line += kColumnGap;
      AppendProgramEntry(line, bank.patches[right]);
    }
    channel.WriteReportLine(line);
  }
}

}  // namespace dravelin
