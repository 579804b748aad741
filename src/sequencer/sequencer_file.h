// The three files that give sequencers the names of the patches on the
// keyboard, each one file in Compare that holds every bank on the keyboard.

#ifndef DRAVELIN_SEQUENCER_SEQUENCER_FILE_H_
#define DRAVELIN_SEQUENCER_SEQUENCER_FILE_H_

#include <cstdint>

#include "base/message_code.h"
#include "report/report_channel.h"
#include "report/report_file_name.h"
#include "sequencer/sequencer_banks.h"

namespace dravelin {

enum class SequencerFormat : std::uint8_t {
  kInstrumentDefinitions,  // "QS+ Banks.ins"
  kMidnam,                 // "QS+ Banks.midnam"
  kReabank,                // "QS+ Banks.reabank"
};

ReportFileName SequencerFileName(SequencerFormat format);

// Opens the format's file through `channel`, writes `banks` into it and
// closes it. Returns kAllIsOk, or the code of the open or the close
// (kTxtFileOpenError, kTxtFileWriteError).
MessageCode WriteSequencerFile(ReportChannel& channel, const SequencerBanks& banks,
                               SequencerFormat format);

}  // namespace dravelin

#endif  // DRAVELIN_SEQUENCER_SEQUENCER_FILE_H_
