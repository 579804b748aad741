#include "sequencer/sequencer_file.h"

#include <string>

#include "sequencer/instrument_definitions.h"
#include "sequencer/midnam_document.h"
#include "sequencer/reabank_file.h"

namespace dravelin {

ReportFileName SequencerFileName(SequencerFormat format) {
  switch (format) {
    case SequencerFormat::kInstrumentDefinitions:
      return ReportFileName("QS+ Banks.ins");
    case SequencerFormat::kMidnam:
      return ReportFileName("QS+ Banks.midnam");
    case SequencerFormat::kReabank:
      break;
  }
  return ReportFileName("QS+ Banks.reabank");
}

MessageCode WriteSequencerFile(ReportChannel& channel, const SequencerBanks& banks,
                               SequencerFormat format) {
  const MessageCode code = channel.OpenReportFile(SequencerFileName(format));
  if (code != kAllIsOk) return code;
  switch (format) {
    case SequencerFormat::kInstrumentDefinitions:
      WriteInstrumentDefinitions(channel, banks);
      break;
    case SequencerFormat::kMidnam:
      WriteMidnamDocument(channel, banks);
      break;
    case SequencerFormat::kReabank:
      WriteReabankFile(channel, banks);
      break;
  }
  return channel.CloseReportFile();
}

}  // namespace dravelin
