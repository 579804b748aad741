// The commands of the "Create Name Lists" menu that write the keyboard's
// patch names for a sequencer: one file each, over every Compare bank on
// the keyboard.

#include <string>
#include <string_view>

#include "app/application.h"
#include "app/menu_table.h"
#include "sequencer/sequencer_banks.h"
#include "sequencer/sequencer_file.h"

namespace dravelin {
namespace {

std::string_view StartedText(SequencerFormat format) {
  switch (format) {
    case SequencerFormat::kInstrumentDefinitions:
      return "Making the instrument definition file...";
    case SequencerFormat::kMidnam:
      return "Making the MIDNAM file...";
    case SequencerFormat::kReabank:
      break;
  }
  return "Making the REAPER bank file...";
}

std::string Counted(std::size_t count, std::string_view one, std::string_view many) {
  return std::to_string(count) + " " + std::string(count == 1 ? one : many);
}

std::string FinishedText(SequencerFormat format, const SequencerBanks& banks) {
  std::string tail = "' names the patches of " + Counted(banks.banks.size(), "bank", "banks") +
                     " on the keyboard.";
  if (banks.banks_left_out > 0) {
    tail += " " + Counted(banks.banks_left_out, "bank file is", "bank files are") +
            " not on the keyboard and left out.";
  }
  if (banks.dumps_left_out > 0) {
    tail += " " + Counted(banks.dumps_left_out, "program dump", "program dumps") +
            " numbered above 127, or repeated by a later dump, left out.";
  }
  return TextNamingFile("Finished. The file '", SequencerFileName(format), tail);
}

void CreateSequencerFile(Application& app, SequencerFormat format) {
  StatusLine& status = app.status_line();
  if (app.compare_set().empty()) {
    status.ShowMessageCode(kNoBankFiles);
    return;
  }
  BankAssignment assignment;
  const MessageCode saved = app.TakeAssignment(&assignment);
  if (saved != kAllIsOk) {
    status.ShowMessageCode(saved);
    return;
  }
  const SequencerBanks banks = CollectSequencerBanks(app.compare_set(), assignment);
  if (banks.banks.empty()) {
    status.ShowStatus(TextNamingFile("No bank file is on the keyboard, so '",
                                     SequencerFileName(format), "' was not written."));
    return;
  }
  status.ShowStatus(StartedText(format));
  app.channel().ClearReportPane();
  status.ShowCommandOutcome(WriteSequencerFile(app.channel(), banks, format),
                            FinishedText(format, banks));
}

}  // namespace

void CreateInsDefinitionFileClick(Application& app) {
  CreateSequencerFile(app, SequencerFormat::kInstrumentDefinitions);
}

void CreateMidnamFileClick(Application& app) { CreateSequencerFile(app, SequencerFormat::kMidnam); }

void CreateReabankFileClick(Application& app) {
  CreateSequencerFile(app, SequencerFormat::kReabank);
}

}  // namespace dravelin
