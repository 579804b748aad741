#include "report/instrument_section.h"

#include <charconv>
#include <string>

#include "report/patch_name_list.h"

namespace dravelin {

void WriteInstrumentSection(ReportChannel& channel, const Bank& bank) {
  std::string line;
  line.reserve(64);
  line.push_back('[');
  line.append(bank.name);
  line.push_back(']');
  channel.WriteReportLine(line);
  line.assign("BasedOn=");
  line.append(bank.name);
  channel.WriteReportLine(line);

  for (const Patch& patch : bank.patches) {
    if (channel.failed()) break;
    char key[4];
    const auto [end, error] =
        std::to_chars(key, key + sizeof key, static_cast<unsigned>(patch.program_number));
    static_cast<void>(error);  // three digits always fit
    line.assign(key, end);
    line += '=';
    AppendProgramEntry(line, patch);
    channel.WriteReportLine(line);
  }

  channel.WriteReportLine("");
  channel.WriteReportLine("");
}

}  // namespace dravelin
