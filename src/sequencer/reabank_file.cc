#include "sequencer/reabank_file.h"

#include <string>

#include "base/line_decoding.h"

namespace dravelin {

void WriteReabankFile(ReportChannel& channel, const SequencerBanks& banks) {
  channel.WriteReportLine("// QS+ Banks.reabank: the patch names of the QS+ banks in Compare, by Dravelin.");
  channel.WriteReportLine("// Each bank line gives the bank select MSB (controller 0), the LSB and the");
  channel.WriteReportLine("// bank's name; a line per program follows: its number and its name.");
  std::string line;
  for (const SequencerBank& bank : banks.banks) {
    if (channel.failed()) break;
    channel.WriteReportLine("");
    line = "Bank " + std::to_string(BankSelectValue(bank.keyboard_bank)) + " 0 ";
    line += DecodeLineUtf8(bank.bank->name);
    channel.WriteReportLine(line);
    for (const ProgramName& program : bank.programs) {
      line = std::to_string(program.number);
      line += ' ';
      line += program.name;
      channel.WriteReportLine(line);
    }
  }
}

}  // namespace dravelin
