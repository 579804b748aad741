#include "sequencer/midnam_document.h"

#include <cstdio>

#include "base/line_decoding.h"

namespace dravelin {
namespace {

constexpr std::string_view kNameSet = "QS+ Banks";
constexpr int kChannels = 16;

// XML 1.0's characters: tab, line feed, carriage return, and from U+0020
// on, but for the surrogates and U+FFFE and U+FFFF.
bool IsXmlCharacter(char32_t c) {
  if (c < 0x20) return c == 0x9 || c == 0xA || c == 0xD;
  if (c >= 0xD800 && c <= 0xDFFF) return false;
  return c != 0xFFFE && c != 0xFFFF && c <= 0x10FFFF;
}

}  // namespace

std::string XmlText(std::string_view bytes) {
  std::string text;
  text.reserve(bytes.size());
  VisitLineCharacters(bytes, [&text](char32_t c, std::size_t) {
    switch (c) {
      case '&':
        text += "&amp;";
        break;
      case '<':
        text += "&lt;";
        break;
      case '>':
        text += "&gt;";
        break;
      case '"':
        text += "&quot;";
        break;
      default:
        AppendUtf8(IsXmlCharacter(c) ? c : char32_t{0xFFFD}, text);
    }
  });
  return text;
}

void WriteMidnamDocument(ReportChannel& channel, const SequencerBanks& banks) {
  const std::string name_set(kNameSet);
  channel.WriteReportLine("<?xml version=\"1.0\" encoding=\"UTF-8\"?>");
  channel.WriteReportLine("<!DOCTYPE MIDINameDocument PUBLIC \"" + std::string(kMidnamPublicId) +
                          "\" \"" + std::string(kMidnamSystemId) + "\">");
  channel.WriteReportLine("<MIDINameDocument>");
  channel.WriteReportLine(
      "  <Author>Dravelin, from the QS+ bank files in its Compare folder</Author>");
  channel.WriteReportLine("  <MasterDeviceNames>");
  channel.WriteReportLine("    <Manufacturer>Alesis</Manufacturer>");
  channel.WriteReportLine("    <Model>" + XmlText(kMidnamModel) + "</Model>");
  channel.WriteReportLine("    <CustomDeviceMode Name=\"" + XmlText(kNameSet) + "\">");
  channel.WriteReportLine("      <ChannelNameSetAssignments>");
  for (int c = 1; c <= kChannels; ++c) {
    channel.WriteReportLine("        <ChannelNameSetAssign Channel=\"" + std::to_string(c) +
                            "\" NameSet=\"" + XmlText(name_set) + "\"/>");
  }
  channel.WriteReportLine("      </ChannelNameSetAssignments>");
  channel.WriteReportLine("    </CustomDeviceMode>");
  channel.WriteReportLine("    <ChannelNameSet Name=\"" + XmlText(name_set) + "\">");
  channel.WriteReportLine("      <AvailableForChannels>");
  for (int c = 1; c <= kChannels; ++c) {
    channel.WriteReportLine("        <AvailableChannel Channel=\"" + std::to_string(c) +
                            "\" Available=\"true\"/>");
  }
  channel.WriteReportLine("      </AvailableForChannels>");
  std::string line;
  for (const SequencerBank& bank : banks.banks) {
    if (channel.failed()) break;
    channel.WriteReportLine("      <PatchBank Name=\"" + XmlText(bank.bank->name) + "\">");
    channel.WriteReportLine("        <MIDICommands>");
    channel.WriteReportLine("          <ControlChange Control=\"0\" Value=\"" +
                            std::to_string(BankSelectValue(bank.keyboard_bank)) + "\"/>");
    channel.WriteReportLine("        </MIDICommands>");
    channel.WriteReportLine("        <PatchNameList>");
    for (const ProgramName& program : bank.programs) {
      char number[4];
      std::snprintf(number, sizeof number, "%03u", unsigned{program.number});
      line = "          <Patch Number=\"";
      line += number;
      line += "\" Name=\"";
      line += XmlText(program.name);
      line += "\" ProgramChange=\"";
      line += std::to_string(program.number);
      line += "\"/>";
      channel.WriteReportLine(line);
    }
    channel.WriteReportLine("        </PatchNameList>");
    channel.WriteReportLine("      </PatchBank>");
  }
  channel.WriteReportLine("    </ChannelNameSet>");
  channel.WriteReportLine("  </MasterDeviceNames>");
  channel.WriteReportLine("</MIDINameDocument>");
}

}  // namespace dravelin
