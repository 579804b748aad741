#include "sequencer/instrument_definitions.h"

#include <algorithm>
#include <string>

namespace dravelin {

std::string InsFileText(std::string_view name) {
  std::string text(name);
  std::replace(text.begin(), text.end(), ';', ':');
  return text;
}

std::vector<std::string> PatchSectionNames(const SequencerBanks& banks) {
  std::vector<std::string> names;
  names.reserve(banks.banks.size());
  for (const SequencerBank& bank : banks.banks) {
    const std::string base = InsFileText(bank.bank->name);
    std::string name = base;
    for (int n = 2; std::find(names.begin(), names.end(), name) != names.end(); ++n) {
      name = base + " (" + std::to_string(n) + ")";
    }
    names.push_back(std::move(name));
  }
  return names;
}

void WriteInstrumentDefinitions(ReportChannel& channel, const SequencerBanks& banks) {
  const std::vector<std::string> sections = PatchSectionNames(banks);
  channel.WriteReportLine("; QS+ Banks.ins: the patch names of the QS+ banks in Compare, by Dravelin.");
  channel.WriteReportLine(
      "; The keyboard selects a bank with controller 0 alone: Patch[128*n] is the bank");
  channel.WriteReportLine("; that controller 0 value n selects.");
  channel.WriteReportLine("");
  channel.WriteReportLine(".Patch Names");
  std::string line;
  for (std::size_t i = 0; i < banks.banks.size() && !channel.failed(); ++i) {
    channel.WriteReportLine("");
    channel.WriteReportLine("[" + sections[i] + "]");
    for (const ProgramName& program : banks.banks[i].programs) {
      line = std::to_string(program.number);
      line += '=';
      line += InsFileText(program.name);
      channel.WriteReportLine(line);
    }
  }
  channel.WriteReportLine("");
  channel.WriteReportLine(".Instrument Definitions");
  channel.WriteReportLine("");
  channel.WriteReportLine("[" + std::string(kInstrumentName) + "]");
  channel.WriteReportLine("BankSelMethod=0");
  for (std::size_t i = 0; i < banks.banks.size(); ++i) {
    line = "Patch[" + std::to_string(128 * BankSelectValue(banks.banks[i].keyboard_bank)) + "]=";
    line += sections[i];
    channel.WriteReportLine(line);
  }
  channel.WriteReportLine("");
}

}  // namespace dravelin
